#pragma once

#include <QDialog>

struct TAppSettings;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class TColorComboBox;

// The settings dialog. It edits the window's settings object: the dark check box, the
// highlighter box and the scale box at once, the other controls when it closes. What the
// window makes of the values is the window's business, after the dialog has closed.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    TForm2(TAppSettings& settings, QWidget* parent = nullptr);

    // The scale items and the pixels per inch they stand for ("125%" is 125, not 120).
    static constexpr int kScaleCount = 5;
    static int ScalePpi(int index);

    // The style name the style box holds: an item's own spelling when the text matches one
    // (case ignored), else the text as typed.
    QString SelectedStyleName() const;
    // The pixels per inch of the scale box's item; 0 when the text matches no item.
    int SelectedScalePpi() const;

    QGroupBox* GroupBox1;
    QCheckBox* WordWrapChk;
    QCheckBox* IndentChk;
    QCheckBox* GutterChk;
    QLabel* Label3;
    QSpinBox* TabWidthSpin;
    QCheckBox* ShowLineNumberChk;
    QLabel* Label7;
    QSpinBox* FontSizeSpin;
    QGroupBox* GroupBox2;
    QLabel* Label1;
    TColorComboBox* BGColorBox;
    QLabel* Label2;
    TColorComboBox* FGColorBox;
    QLabel* Label8;
    QComboBox* SelectSyn;
    QGroupBox* GroupBox3;
    QLabel* Label5;
    QComboBox* ComboBox1;
    QCheckBox* DarkCheck;
    QLabel* Label4;
    QComboBox* ScaleComboBox;
    QCheckBox* DragChk;
    QPushButton* ExitBtn;
    QLabel* Label6;

    void FormCreate();
    void FormShow();
    void DarkCheckClick();
    void SelectSynChange();
    void ScaleComboBoxChange();
    void ExitBtnClick();
    void FormCloseQuery();

    // Closing by the button, the frame's close box or Escape all pass through here.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    void SetTabOrder();

    TAppSettings& fSettings;
};
