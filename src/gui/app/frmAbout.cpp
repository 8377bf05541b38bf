#include "gui/app/frmAbout.h"

#include "core/platform/Prompts.h"
#include "core/text/AppInfo.h"
#include "gui/app/Icons.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

namespace resonex::gui {

namespace {

// The desktops' system information tools, in the order they are tried.
const QStringList kSystemInformationTools = {QStringLiteral("hardinfo"),
                                             QStringLiteral("kinfocenter")};

QFrame* separator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

frmAbout::frmAbout(Prompts& prompts, QWidget* parent) : QDialog(parent), m_prompts(prompts) {
    setObjectName(QStringLiteral("frmAbout"));
    const QString title = QString::fromLatin1(kAppTitle);
    setWindowTitle(QStringLiteral("About ") + title);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setPixmap(appIcon().pixmap(48, 48));

    auto* text = new QLabel(this);
    text->setObjectName(QStringLiteral("lblTitle"));
    text->setText(
        QStringList{title, QString(), QString::fromUtf16(kNotice), QString(), versionText()}.join(
            u'\n'));

    auto* licence = new QLabel(QString::fromLatin1(kLicenceNotice), this);
    licence->setObjectName(QStringLiteral("lblLicence"));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* sysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(sysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, Qt::AlignTop);
    layout->addWidget(text, 0, 1);
    layout->addWidget(separator(this), 1, 0, 1, 3);
    layout->addWidget(separator(this), 2, 0, 1, 3);
    layout->addWidget(ok, 0, 2, Qt::AlignTop);
    layout->addWidget(licence, 3, 0, 1, 2);
    // The licence's width goes to the title's column, not between it and the icon.
    layout->setColumnStretch(1, 1);
    layout->addWidget(sysInfo, 3, 2, Qt::AlignBottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmAbout::StartSysInfo() {
    for (const QString& name : kSystemInformationTools) {
        const QString tool = QStandardPaths::findExecutable(name);
        if (!tool.isEmpty() && QProcess::startDetached(tool, {}))
            return;
    }
    m_prompts.tell(QString::fromLatin1(kAppTitle),
                   QStringLiteral("System Information Is Unavailable At This Time"),
                   Prompts::Icon::None);
}

} // namespace resonex::gui
