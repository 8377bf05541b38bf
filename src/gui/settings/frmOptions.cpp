#include "gui/settings/frmOptions.h"

#include "core/document/CFile.h"
#include "core/document/DesignCommands.h"
#include "core/document/DocumentPrompts.h"
#include "core/errors/ResonexError.h"
#include "core/settings/CSettings.h"
#include "core/text/AppInfo.h"
#include "gui/platform/CBrowseForFolder.h"
#include "gui/settings/frmFont.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace resonex::gui {

namespace {

QString unitsQuestion(bool wasMetric) {
    return QStringLiteral("You have chosen to change the units from ") +
           (wasMetric ? QStringLiteral("mm to inches ") : QStringLiteral("inches to mm ")) +
           QStringLiteral(".  ") +
           QStringLiteral("Doing this will require that you start a new design.  ") +
           QStringLiteral(
               "You will be given the option of saving your current design if necessary.") +
           QStringLiteral("\r\n\r\n") + QStringLiteral("Do you wish to continue?");
}

} // namespace

frmOptions::frmOptions(const DesignContext& context, QWidget* parent)
    : DesignDialog(context, QStringLiteral("frmOptions"), QStringLiteral("Options"), parent) {
    const auto option = [](QWidget* frame, const char* name, const char* caption) {
        auto* button = new QRadioButton(QString::fromLatin1(caption), frame);
        button->setObjectName(QString::fromLatin1(name));
        frame->layout()->addWidget(button);
        return button;
    };

    m_txtDesPath = new QLineEdit(this);
    m_txtDesPath->setObjectName(QStringLiteral("txtDesPath"));
    // A long folder can be read whole by pointing at it.
    connect(m_txtDesPath, &QLineEdit::textChanged, m_txtDesPath, &QWidget::setToolTip);
    QPushButton* browse = button(QStringLiteral("cmdBrowse"), QStringLiteral("Browse"));
    connect(browse, &QPushButton::clicked, this, &frmOptions::cmdBrowse_Click);

    QGroupBox* units = frame(QStringLiteral("Frame2"), QStringLiteral("Input parameter units"));
    new QVBoxLayout(units);
    m_optUseMetric = option(units, "optUseMetric",
                            "I wish to use metric units for the input parameters (millimeters)");
    m_optUseImperial = option(units, "optUseImperial",
                              "I wish to use imperial units for the input parameters (inches)");

    QGroupBox* font = frame(QStringLiteral("Frame3"), QStringLiteral("Font Settings"));
    auto* fontLayout = new QHBoxLayout(font);
    QLabel* fontText =
        label(QStringLiteral("Label1"),
              QStringLiteral("Click here to change the default font used for the design summary"));
    fontText->setWordWrap(true);
    QPushButton* fonts = button(QStringLiteral("cmdFonts"), QStringLiteral("&Fonts..."));
    connect(fonts, &QPushButton::clicked, this, &frmOptions::cmdFonts_Click);
    fontLayout->addWidget(fontText, 1);
    fontLayout->addWidget(fonts, 0, Qt::AlignTop);

    QGroupBox* mains = frame(QStringLiteral("Frame1"), QStringLiteral("Local Mains Frequency"));
    new QVBoxLayout(mains);
    m_optUse50Hz = option(mains, "optUse50Hz", "50 Hz");
    m_optUse60Hz = option(mains, "optUse60Hz", "60 Hz");

    QPushButton* ok = button(QStringLiteral("cmdOk"), QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &frmOptions::cmdOk_Click);
    QPushButton* cancel = button(QStringLiteral("cmdCancel"), QStringLiteral("Cancel"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(
        label(QStringLiteral("lbl_directory"), QStringLiteral("Path for Resonex Designs:")), 0, 0,
        1, 2);
    layout->addWidget(m_txtDesPath, 1, 0, 1, 2);
    layout->addWidget(browse, 1, 2);
    layout->addWidget(units, 2, 0, 1, 2);
    layout->addWidget(font, 3, 0, 1, 2);
    layout->addWidget(mains, 4, 0);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 4, 1, 1, 2, Qt::AlignRight | Qt::AlignBottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrder({m_txtDesPath, browse, m_optUseMetric, m_optUseImperial, fonts, m_optUse50Hz,
                 m_optUse60Hz, ok, cancel});

    const CSettings& settings = doc().settings();
    m_useMetric = settings.UseMetric();
    m_use50Hz = settings.Use50Hz();
    (m_useMetric ? m_optUseMetric : m_optUseImperial)->setChecked(true);
    (m_use50Hz ? m_optUse50Hz : m_optUse60Hz)->setChecked(true);
    m_txtDesPath->setText(settings.DesPath());
}

void frmOptions::cmdBrowse_Click() {
    CBrowseForFolder picker;
    picker.sethWnd(this);
    picker.setTitle(QStringLiteral("Folder For Resonex Designs:"));
    picker.Browse();
    if (!picker.Folder().isEmpty())
        m_txtDesPath->setText(picker.Folder());
}

void frmOptions::cmdFonts_Click() {
    CSettings& settings = doc().settings();
    frmFont picker(settings.FontName(), settings.FontSize(), this);
    if (picker.exec() != QDialog::Accepted)
        return;
    settings.setFontName(picker.fontName());
    settings.setFontSize(picker.fontSize());
}

void frmOptions::cmdOk_Click() {
    CSettings& settings = doc().settings();
    // The folder must exist and be enterable before anything is applied.
    try {
        settings.setDesPath(m_txtDesPath->text());
    } catch (const ResonexError&) {
        prompts().tell(QStringLiteral("Options"),
                       QStringLiteral("Unable to find ") + m_txtDesPath->text(),
                       Prompts::Icon::Exclamation);
        return;
    }
    settings.setUse50Hz(m_optUse50Hz->isChecked());

    const bool unitsChanged = m_optUseMetric->isChecked() != m_useMetric;
    if (unitsChanged &&
        !prompts().confirm(QString::fromLatin1(kAppTitle), unitsQuestion(m_useMetric))) {
        m_optUseMetric->setChecked(m_useMetric);
        m_optUseImperial->setChecked(!m_useMetric);
        // The frequency just applied stays in force: the capacitor must
        // follow it now, not only if OK is pressed again.
        applyMainsFrequency();
        return;
    }
    applyMainsFrequency();
    accept();
    // Closed first, so that the design is modified by what was applied here;
    // then it is offered for saving in its own units before the new design
    // starts in the others. Cancelled there, it goes on as it is.
    if (unitsChanged)
        doc().FileNewInUnits(prompts(), !m_useMetric);
}

void frmOptions::applyMainsFrequency() {
    if (doc().settings().Use50Hz() == m_use50Hz)
        return;
    m_use50Hz = doc().settings().Use50Hz();
    // A capacitor that cannot be recalculated keeps its value.
    quietly([this] { mainsFrequencyChanged(doc()); });
}

} // namespace resonex::gui
