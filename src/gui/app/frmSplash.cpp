#include "gui/app/frmSplash.h"

#include "core/text/AppInfo.h"
#include "gui/app/Icons.h"
#include "gui/platform/Twips.h"

#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QSysInfo>

namespace resonex::gui {

namespace {

constexpr int kShownMilliseconds = 2000;

// Places and sizes in twips: left, top, width, height.
struct Place {
    int left, top, width, height;
};

QLabel* addLabel(QWidget* parent, const char* name, const QString& text, double points, bool bold,
                 Qt::Alignment alignment, const Place& place, double dpi) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    label->setFont(font);
    label->setAlignment(alignment | Qt::AlignVCenter);
    // Sized to the text, keeping the edge it is aligned to.
    const QSize size = label->sizeHint();
    const int left = twipsToPixels(place.left, dpi);
    const int right = twipsToPixels(place.left + place.width, dpi);
    const int x = (alignment & Qt::AlignRight) ? right - size.width() : left;
    label->setGeometry(x, twipsToPixels(place.top, dpi), size.width(), size.height());
    return label;
}

} // namespace

frmSplash::frmSplash(QWidget* mainWindow) : QWidget(nullptr), m_mainWindow(mainWindow) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_DeleteOnClose);
    // The program ends with its main window, even while this one is up.
    setAttribute(Qt::WA_QuitOnClose, false);

    m_timer.setObjectName(QStringLiteral("Timer1"));
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
    m_timer.start(kShownMilliseconds);

    const double dpi = logicalDpiX();
    setFixedSize(twipsToPixels(7380, dpi), twipsToPixels(4245, dpi));
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFrameShape(QFrame::Box);
    frame->setGeometry(twipsToPixels(150, dpi), twipsToPixels(60, dpi), twipsToPixels(7080, dpi),
                       twipsToPixels(4050, dpi));
    // The frame's children are placed in the window's twips, as the frame's.
    const auto inFrame = [&](Place place) {
        place.left -= 150;
        place.top -= 60;
        return place;
    };

    auto* logo = new QLabel(frame);
    logo->setObjectName(QStringLiteral("imgLogo"));
    const Place logoPlace = inFrame({240, 900, 1545, 1545});
    const int logoSize = twipsToPixels(logoPlace.width, dpi);
    logo->setPixmap(appIcon().pixmap(logoSize, logoSize));
    logo->setGeometry(twipsToPixels(logoPlace.left, dpi), twipsToPixels(logoPlace.top, dpi),
                      logoSize, logoSize);

    addLabel(frame, "lblProductName", QString::fromLatin1(kAppTitle), 32.25, true, Qt::AlignLeft,
             inFrame({2220, 1140, 4365, 765}), dpi);
    addLabel(frame, "lblPlatform", QSysInfo::prettyProductName(), 15.75, true, Qt::AlignRight,
             inFrame({3360, 2340, 3495, 360}), dpi);
    addLabel(frame, "lblVersion", versionText(), 12, true, Qt::AlignRight,
             inFrame({5970, 2760, 885, 285}), dpi);
    addLabel(frame, "lblCopyright", QString::fromUtf16(kNotice), 8.25, false, Qt::AlignLeft,
             inFrame({4260, 3180, 2595, 255}), dpi);

    // Centred on the screen, keeping its size.
    const QRect screenArea = screen()->geometry();
    move(screenArea.x() + (screenArea.width() - width()) / 2,
         screenArea.y() + (screenArea.height() - height()) / 2);
}

void frmSplash::Timer1_Timer() {
    if (m_mainWindow)
        m_mainWindow->setEnabled(true);
    close();
    emit finished();
}

} // namespace resonex::gui
