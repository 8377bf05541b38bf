#pragma once

#include <QDialog>

class QFontComboBox;
class QLabel;
class QSpinBox;

namespace resonex::gui {

// The summary's font picker. The settings keep a font's family and its size in
// whole points, within the sizes they allow, and nothing else of it: so the
// picker offers the scalable families and those sizes, and nothing more.
class frmFont : public QDialog {
    Q_OBJECT
public:
    frmFont(const QString& fontName, int fontSize, QWidget* parent);

    QString fontName() const;
    qint16 fontSize() const;

private:
    void showSample();

    QFontComboBox* m_cboFontName;
    QSpinBox* m_spnFontSize;
    QLabel* m_lblSample;
};

} // namespace resonex::gui
