#pragma once

#include "TestSupport.h"

#include "core/settings/MemoryOptionsStore.h"
#include "core/settings/StoredOptions.h"
#include "gui/app/frmMain.h"
#include "gui/app/frmSplash.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTimer>
#include <QXmlStreamReader>

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
    void startPastSplash(const QString& commandLine = QString()) {
        start(commandLine);
        endSplash();
    }
    // What the splash window's timer does two seconds after start-up, done to
    // every splash window up until this window's has been: one left by a
    // program started before could otherwise be taken for this one's.
    void endSplash() {
        const auto ended = [this] {
            while (gui::frmSplash* shown = splash())
                shown->Timer1_Timer();
            return window->isEnabled();
        };
        QTRY_VERIFY(ended());
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

// A control looked for by name and not found.
struct MissingControl {
    QString name;
};

// A control by name, for the steps run in a modal window (see whileModal). Not
// found, it fails the test, ends those steps and closes the window; thrown out
// of a test function instead, it would end the whole run.
template <typename Widget = QLineEdit> Widget* child(const QWidget* window, const char* name) {
    auto* widget = window->findChild<Widget*>(QLatin1String(name));
    if (!widget)
        throw MissingControl{QLatin1String(name)};
    return widget;
}

// The text of a box, a label, a button or a listing; that of a missing
// control names it, which no comparison expects.
inline QString textOf(const QWidget* window, const char* name) {
    const auto* widget = window->findChild<QWidget*>(QLatin1String(name));
    if (!widget)
        return QStringLiteral("no control ") + QLatin1String(name);
    return widget->property(qobject_cast<const QPlainTextEdit*>(widget) ? "plainText" : "text")
        .toString();
}

// The texts an exported SVG draws, each trimmed; a file that does not open
// or parse fails the test that reads it.
inline QStringList svgTexts(const QString& path) {
    QFile svg(path);
    if (!svg.open(QIODevice::ReadOnly)) {
        QTest::qFail(qPrintable(QStringLiteral("cannot open ") + path), __FILE__, __LINE__);
        return {};
    }
    QXmlStreamReader xml(&svg);
    QStringList texts;
    while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd())
        if (xml.isCharacters() && !xml.isWhitespace())
            texts << xml.text().toString().trimmed();
    if (xml.hasError())
        QTest::qFail(qPrintable(xml.errorString()), __FILE__, __LINE__);
    return texts;
}

// Scripted steps run inside the event loop of the modal window opened next,
// which no exception may leave.
template <typename Steps> void whileModal(QObject* context, Steps steps) {
    QTimer::singleShot(0, context, [steps] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        try {
            steps(modal);
        } catch (const MissingControl& missing) {
            QTest::qFail(qPrintable(QStringLiteral("no control ") + missing.name), __FILE__,
                         __LINE__);
            modal->close();
        }
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
