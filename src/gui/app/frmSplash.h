#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace resonex::gui {

// The window shown while the program starts: name, version, platform and logo.
// It closes itself two seconds after it was made and enables the main window,
// which keeps itself disabled until then.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* mainWindow);

    // The timer's one tick.
    void Timer1_Timer();

signals:
    // The main window has been enabled and the splash has closed: what is
    // shown from here on is not hidden behind it.
    void finished();

private:
    QPointer<QWidget> m_mainWindow;
    QTimer m_timer;
};

} // namespace resonex::gui
