#include "gui/settings/frmFont.h"

#include "core/settings/StoredOptions.h"

#include <QFontComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace resonex::gui {

namespace {

// The sample's window, in lines of the dialog's own font: a large size is seen
// in part rather than resizing the dialog at every step.
constexpr int kSampleLines = 4;

QLabel* caption(QWidget* parent, const char* name, const char* text, QWidget* buddy) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setObjectName(QLatin1String(name));
    label->setBuddy(buddy);
    return label;
}

QPushButton* button(QWidget* parent, const char* name, const char* text) {
    auto* push = new QPushButton(QString::fromLatin1(text), parent);
    push->setObjectName(QLatin1String(name));
    return push;
}

} // namespace

frmFont::frmFont(const QString& fontName, int fontSize, QWidget* parent)
    : QDialog(parent), m_cboFontName(new QFontComboBox(this)), m_spnFontSize(new QSpinBox(this)),
      m_lblSample(new QLabel(QStringLiteral("AaBbYyZz 0123456789"), this)) {
    setObjectName(QStringLiteral("frmFont"));
    setWindowTitle(QStringLiteral("Font"));

    m_cboFontName->setObjectName(QStringLiteral("cboFontName"));
    m_cboFontName->setFontFilters(QFontComboBox::ScalableFonts);
    // Chosen from the list, where typed letters find a name: typed into the box,
    // a name that is not installed would be taken as it is.
    m_cboFontName->setEditable(false);
    m_cboFontName->setCurrentFont(QFont(fontName));
    m_spnFontSize->setObjectName(QStringLiteral("spnFontSize"));
    m_spnFontSize->setRange(stored::kFontSize.smallest, stored::kFontSize.largest);
    m_spnFontSize->setValue(fontSize);
    m_lblSample->setObjectName(QStringLiteral("lblSample"));
    m_lblSample->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_lblSample->setAlignment(Qt::AlignCenter);
    m_lblSample->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_lblSample->setFixedHeight(kSampleLines * fontMetrics().lineSpacing());
    connect(m_cboFontName, &QFontComboBox::currentFontChanged, this, &frmFont::showSample);
    connect(m_spnFontSize, &QSpinBox::valueChanged, this, &frmFont::showSample);
    showSample();

    QPushButton* ok = button(this, "cmdOk", "OK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    QPushButton* cancel = button(this, "cmdCancel", "Cancel");
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QGridLayout(this);
    layout->addWidget(caption(this, "lblFontName", "&Font:", m_cboFontName), 0, 0);
    layout->addWidget(m_cboFontName, 0, 1);
    layout->addWidget(caption(this, "lblFontSize", "&Size:", m_spnFontSize), 1, 0);
    layout->addWidget(m_spnFontSize, 1, 1, Qt::AlignLeft);
    layout->addWidget(m_lblSample, 2, 0, 1, 2);
    layout->addLayout(buttons, 3, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_cboFontName->setFocus();
}

QString frmFont::fontName() const { return m_cboFontName->currentFont().family(); }

qint16 frmFont::fontSize() const { return qint16(m_spnFontSize->value()); }

void frmFont::showSample() { m_lblSample->setFont(QFont(fontName(), fontSize())); }

} // namespace resonex::gui
