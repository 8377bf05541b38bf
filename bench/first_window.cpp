// Starts a program on the X display in DISPLAY and reports how long it takes
// to show its main window, without the program's help:
//   bench-first-window TITLE PROGRAM [ARGUMENT...]
// prints "SHOWN_US PAINTED_US MAX_RSS_KIB" and ends the program. SHOWN is when
// the server maps the first top-level window titled TITLE (a splash window has
// another title); PAINTED is when the program first draws into that window.
// The program is then terminated and its peak resident memory read from its
// resource usage.
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr std::int64_t kTimeoutUs = 30'000'000;

std::int64_t nowUs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::int64_t{ts.tv_sec} * 1'000'000 + ts.tv_nsec / 1000;
}

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t internAtom(xcb_connection_t* c, const char* name) {
    const Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::string stringProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property,
                           xcb_atom_t type) {
    const Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, type, 0, 1024), nullptr),
        &std::free);
    if (!reply || reply->type == XCB_ATOM_NONE)
        return {};
    return {static_cast<const char*>(xcb_get_property_value(reply.get())),
            static_cast<std::size_t>(xcb_get_property_value_length(reply.get()))};
}

// The title a window manager would show: the UTF-8 name, else the legacy one.
std::string titleOf(xcb_connection_t* c, xcb_window_t window, xcb_atom_t netWmName,
                    xcb_atom_t utf8) {
    std::string title = stringProperty(c, window, netWmName, utf8);
    return title.empty() ? stringProperty(c, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING) : title;
}

int fail(const char* message) {
    std::fprintf(stderr, "bench-first-window: %s\n", message);
    return 1;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3)
        return fail("usage: bench-first-window TITLE PROGRAM [ARGUMENT...]");
    const std::string wanted = argv[1];

    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return fail("cannot open the display");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t netWmName = internAtom(c, "_NET_WM_NAME");
    const xcb_atom_t utf8 = internAtom(c, "UTF8_STRING");

    // The server reports a program's drawing through the damage extension.
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(c, &xcb_damage_id);
    const Reply<xcb_damage_query_version_reply_t> damageVersion(
        damage && damage->present
            ? xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), nullptr)
            : nullptr,
        &std::free);
    if (!damageVersion)
        return fail("the display has no damage extension");
    const int damageNotify = damage->first_event + XCB_DAMAGE_NOTIFY;

    // Top-level windows as they are made and mapped.
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    const Reply<xcb_generic_error_t> selectError(
        xcb_request_check(c,
                          xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &mask)),
        &std::free);
    if (selectError)
        return fail("cannot watch the root window");

    // The program's output is not ours to print; its complaints still show.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const std::int64_t start = nowUs();
    pid_t pid = 0;
    const int spawnError = posix_spawnp(&pid, argv[2], &actions, nullptr, argv + 2, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawnError != 0) {
        std::fprintf(stderr, "bench-first-window: cannot start %s: %s\n", argv[2],
                     std::strerror(spawnError));
        return 1;
    }

    xcb_window_t window = XCB_WINDOW_NONE;
    std::int64_t shown = 0;
    std::int64_t painted = 0;
    const char* problem = nullptr;
    int status = 0;
    bool reaped = false;
    while (!painted) {
        while (xcb_generic_event_t* raw = xcb_poll_for_event(c)) {
            const std::int64_t at = nowUs();
            const Reply<xcb_generic_event_t> event(raw, &std::free);
            const int type = event->response_type & 0x7f;
            if (type == XCB_CREATE_NOTIFY) {
                // Watched from birth, so no drawing can come before the watch;
                // the server drops the watch with the window.
                const auto* created = reinterpret_cast<const xcb_create_notify_event_t*>(raw);
                xcb_damage_create(c, xcb_generate_id(c), created->window,
                                  XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                xcb_flush(c);
            } else if (type == XCB_MAP_NOTIFY && !window) {
                const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(raw);
                if (titleOf(c, map->window, netWmName, utf8) == wanted) {
                    window = map->window;
                    shown = at;
                }
            } else if (type == damageNotify && window) {
                // Nothing is drawn into a window before it is mapped.
                const auto* drawn = reinterpret_cast<const xcb_damage_notify_event_t*>(raw);
                if (drawn->drawable == window) {
                    painted = at;
                    break;
                }
            }
            // Errors, such as a watch on a window already gone, don't matter.
        }
        if (painted)
            break;
        if (xcb_connection_has_error(c)) {
            problem = "lost the display";
            break;
        }
        if (waitpid(pid, &status, WNOHANG) == pid) {
            reaped = true;
            problem = window ? "the program ended before it drew its window"
                             : "the program ended before it showed its window";
            break;
        }
        if (nowUs() - start > kTimeoutUs) {
            problem = window ? "timed out waiting for the window to be drawn"
                             : "timed out waiting for the window";
            break;
        }
        // Short, so that a program that ends early is noticed soon.
        pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
        poll(&fd, 1, 20);
    }

    // A program that outlives the polite signal for long is killed outright.
    rusage usage{};
    if (!reaped) {
        kill(pid, SIGTERM);
        const std::int64_t asked = nowUs();
        pid_t done = 0;
        while ((done = wait4(pid, &status, WNOHANG, &usage)) == 0 || (done < 0 && errno == EINTR)) {
            if (nowUs() - asked > 5'000'000)
                kill(pid, SIGKILL);
            usleep(200);
        }
    }
    xcb_disconnect(c);
    if (problem)
        return fail(problem);
    std::printf("%lld %lld %ld\n", static_cast<long long>(shown - start),
                static_cast<long long>(painted - start), usage.ru_maxrss);
    return 0;
}
