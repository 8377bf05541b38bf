#include "gui/settings/frmOptions.h"

#include "core/document/CFile.h"
#include "core/document/DesignCommands.h"
#include "core/document/DocumentPrompts.h"
#include "core/errors/ResonexError.h"
#include "core/settings/CSettings.h"
#include "core/settings/TwoWayOptions.h"
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
    m_txtDesPath = new QLineEdit(this);
    m_txtDesPath->setObjectName(QStringLiteral("txtDesPath"));
    // A long folder can be read whole by pointing at it.
    connect(m_txtDesPath, &QLineEdit::textChanged, m_txtDesPath, &QWidget::setToolTip);
    QPushButton* browse = button(QStringLiteral("cmdBrowse"), QStringLiteral("Browse"));
    connect(browse, &QPushButton::clicked, this, &frmOptions::cmdBrowse_Click);

    QGroupBox* units = twoWayFrame(kUnitsOption, m_units);

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

    QGroupBox* mains = twoWayFrame(kMainsOption, m_mains);

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
    setTabOrder({m_txtDesPath, browse, m_units.whenTrue, m_units.whenFalse, fonts, m_mains.whenTrue,
                 m_mains.whenFalse, ok, cancel});

    const CSettings& settings = doc().settings();
    m_useMetric = settings.UseMetric();
    m_use50Hz = settings.Use50Hz();
    m_units.set(m_useMetric);
    m_mains.set(m_use50Hz);
    m_txtDesPath->setText(settings.DesPath());
}

QGroupBox* frmOptions::twoWayFrame(const TwoWayOption& option, TwoWayButtons& buttons) {
    QGroupBox* group = frame(QLatin1String(option.frameName), QLatin1String(option.frameCaption));
    auto* layout = new QVBoxLayout(group);
    const auto button = [&](const TwoWayOption::Way& way) {
        auto* radio = new QRadioButton(QLatin1String(way.caption), group);
        radio->setObjectName(QLatin1String(way.buttonName));
        layout->addWidget(radio);
        return radio;
    };
    buttons = {button(option.whenTrue), button(option.whenFalse)};
    return group;
}

bool frmOptions::TwoWayButtons::value() const { return whenTrue->isChecked(); }

void frmOptions::TwoWayButtons::set(bool value) const {
    whenTrue->setChecked(value);
    whenFalse->setChecked(!value);
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
    settings.setUse50Hz(m_mains.value());

    const bool unitsChanged = m_units.value() != m_useMetric;
    if (unitsChanged &&
        !prompts().confirm(QString::fromLatin1(kAppTitle), unitsQuestion(m_useMetric))) {
        m_units.set(m_useMetric);
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
