#pragma once

#include "TestSupport.h"

#include "core/settings/MemoryOptionsStore.h"
#include "core/settings/StoredOptions.h"
#include "gui/app/frmMain.h"
#include "gui/app/frmSplash.h"

#include <QAction>
#include <QApplication>
#include <QTextEdit>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>

// Shared helpers of the tests that drive the desktop program's windows.
namespace resonex::test {

// One started main window with its own options and scripted prompts.
struct Program {
    MemoryOptionsStore store;
    ScriptedPrompts dlg;
    std::unique_ptr<gui::frmMain> window;

    void start(const QString& commandLine = QString()) {
        window = std::make_unique<gui::frmMain>(store, &dlg);
        window->Load(commandLine);
        window->show();
    }
    // What the splash window's timer does two seconds after start-up.
    void endSplash() {
        QTRY_VERIFY(splash());
        splash()->Timer1_Timer();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static gui::frmSplash* splash() {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->objectName() == QLatin1String("frmSplash") && widget->isVisible())
                return qobject_cast<gui::frmSplash*>(widget);
        return nullptr;
    }
    // A window's kept coordinate as its text, in twips.
    QString position(const stored::WindowEdge& edge, const char* window) const {
        return store.value(edge.group, edge.key(QLatin1String(window)), QStringLiteral("none"));
    }
    void setPosition(const stored::WindowEdge& edge, const char* window, const QString& twips) {
        store.setValue(edge.group, edge.key(QLatin1String(window)), twips);
    }
    QAction* action(const char* name) const {
        return window->findChild<QAction*>(QLatin1String(name));
    }
    QTextEdit* summary() const {
        return window->findChild<QTextEdit*>(QStringLiteral("txtfrmMain"));
    }
    CFile& doc() { return window->document(); }
};

// Scripted steps run inside the event loop of the modal window opened next.
template <typename Steps> void whileModal(QObject* context, Steps steps) {
    QTimer::singleShot(0, context, [steps] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        steps(modal);
    });
}

// Scripted steps run in turn, each inside the modal window opened next.
inline void whileModals(QObject* context, std::deque<std::function<void(QWidget*)>> steps) {
    if (steps.empty())
        return;
    const std::function<void(QWidget*)> step = steps.front();
    steps.pop_front();
    whileModal(context, [context, step, steps](QWidget* modal) {
        whileModals(context, steps);
        step(modal);
    });
}

// A modal window nobody closes fails the test instead of hanging it.
class ModalWatchdog : public QObject {
public:
    ModalWatchdog() {
        m_timer.setInterval(10000);
        connect(&m_timer, &QTimer::timeout, this, [] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modal->close();
                QFAIL("a modal window was left open");
            }
        });
        m_timer.start();
    }

private:
    QTimer m_timer;
};

} // namespace resonex::test
