#include "settings/Form2.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/VisualStyles.h"
#include "settings/AppSettings.h"
#include "widgets/ColorComboBox.h"

namespace {

constexpr int kScalePpi[TForm2::kScaleCount] = {96, 125, 144, 168, 192};

QCheckBox* CheckBox(const char* name, const char* caption, QWidget* parent) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QLabel* Label(const char* name, const char* caption, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

// The spin edits take any number a user may type; the window keeps what it applies in range.
QSpinBox* SpinEdit(const char* name, QWidget* parent) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(-99999, 99999);
    spin->setSingleStep(1);
    return spin;
}

// A drop-down box whose text can also be typed; typed text never becomes an item.
QComboBox* EditableCombo(const char* name, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    return combo;
}

int MatchingItem(const QComboBox* combo) {
    return combo->findText(combo->currentText(), Qt::MatchFixedString);  // case ignored
}

}  // namespace

TForm2::TForm2(TAppSettings& settings, QWidget* parent) : QDialog(parent), fSettings(settings) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("設定"));
    // A small tool frame without a help button; the dialog takes the window's (scaled) font.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_WindowPropagation);
    CreateControls();
    SetTabOrder();
    FormCreate();
}

int TForm2::ScalePpi(int index) {
    return index >= 0 && index < kScaleCount ? kScalePpi[index] : 0;
}

void TForm2::CreateControls() {
    GroupBox1 = new QGroupBox(QStringLiteral("メモ設定"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    WordWrapChk = CheckBox("WordWrapChk", "WordWrap", GroupBox1);
    IndentChk = CheckBox("IndentChk", "Indent", GroupBox1);
    GutterChk = CheckBox("GutterChk", "Gutter", GroupBox1);
    Label3 = Label("Label3", "TAB幅", GroupBox1);
    TabWidthSpin = SpinEdit("TabWidthSpin", GroupBox1);
    ShowLineNumberChk = CheckBox("ShowLineNumberChk", "LineNumber", GroupBox1);
    Label7 = Label("Label7", "フォントサイズ", GroupBox1);
    FontSizeSpin = SpinEdit("FontSizeSpin", GroupBox1);
    GroupBox2 = new QGroupBox(QStringLiteral("１行目タイトル"), GroupBox1);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    Label1 = Label("Label1", "背景色", GroupBox2);
    BGColorBox = new TColorComboBox(GroupBox2);
    BGColorBox->setObjectName(QStringLiteral("BGColorBox"));
    Label2 = Label("Label2", "文字色", GroupBox2);
    FGColorBox = new TColorComboBox(GroupBox2);
    FGColorBox->setObjectName(QStringLiteral("FGColorBox"));
    Label8 = Label("Label8", "ハイライター", GroupBox1);
    SelectSyn = EditableCombo("SelectSyn", GroupBox1);
    SelectSyn->addItems({QStringLiteral("テキスト"), QStringLiteral("Pascal"), QStringLiteral("C#"),
                         QStringLiteral("Python"), QStringLiteral("Ruby"), QStringLiteral("C++"),
                         QStringLiteral("JavaScript"), QStringLiteral("Java")});

    GroupBox3 = new QGroupBox(QStringLiteral("フォーム"), this);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    Label5 = Label("Label5", "フォームスタイル", GroupBox3);
    ComboBox1 = EditableCombo("ComboBox1", GroupBox3);
    DarkCheck = CheckBox("DarkCheck", "ダークテーマ文字", GroupBox3);
    Label4 = Label("Label4", "拡大・縮小", GroupBox3);
    ScaleComboBox = EditableCombo("ScaleComboBox", GroupBox3);
    ScaleComboBox->addItems({QStringLiteral("100%"), QStringLiteral("125%"), QStringLiteral("150%"),
                             QStringLiteral("175%"), QStringLiteral("200%")});
    ScaleComboBox->setCurrentIndex(0);
    DragChk = CheckBox("DragChk", "ノード移動ドラッグモード許可", GroupBox3);
    ExitBtn = new QPushButton(QStringLiteral("Close"), this);
    ExitBtn->setObjectName(QStringLiteral("ExitBtn"));
    Label6 = Label("Label6", "Ver 2.0", this);
    Label6->setAlignment(Qt::AlignCenter);

    // The memo group: two columns of options, the title colours, the highlighter.
    auto* memo = new QGridLayout(GroupBox1);
    memo->addWidget(WordWrapChk, 0, 0);
    memo->addWidget(IndentChk, 0, 1, 1, 2);
    memo->addWidget(GutterChk, 1, 0);
    memo->addWidget(Label3, 1, 1);
    memo->addWidget(TabWidthSpin, 1, 2);
    memo->addWidget(ShowLineNumberChk, 2, 0);
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(Label7);
    fontRow->addWidget(FontSizeSpin);
    fontRow->addStretch();
    memo->addLayout(fontRow, 3, 0, 1, 3);
    auto* colors = new QGridLayout(GroupBox2);
    colors->addWidget(Label1, 0, 0);
    colors->addWidget(Label2, 0, 1);
    colors->addWidget(BGColorBox, 1, 0);
    colors->addWidget(FGColorBox, 1, 1);
    memo->addWidget(GroupBox2, 4, 0, 1, 3);
    auto* synRow = new QHBoxLayout;
    synRow->addWidget(Label8);
    synRow->addWidget(SelectSyn, 1);
    memo->addLayout(synRow, 5, 0, 1, 3);
    memo->setRowStretch(6, 1);

    auto* form = new QVBoxLayout(GroupBox3);
    form->addWidget(Label5);
    form->addWidget(ComboBox1);
    form->addWidget(DarkCheck);
    auto* scaleRow = new QHBoxLayout;
    scaleRow->addWidget(Label4);
    scaleRow->addWidget(ScaleComboBox, 1);
    form->addLayout(scaleRow);
    form->addWidget(DragChk);
    form->addStretch();

    auto* right = new QVBoxLayout;
    right->addWidget(GroupBox3, 1);
    right->addWidget(ExitBtn);
    right->addWidget(Label6);
    auto* top = new QHBoxLayout(this);
    top->addWidget(GroupBox1, 3);
    top->addLayout(right, 2);
    top->setSizeConstraint(QLayout::SetFixedSize);  // not resizable

    connect(DarkCheck, &QCheckBox::toggled, this, [this] { DarkCheckClick(); });
    connect(SelectSyn, &QComboBox::activated, this, [this] { SelectSynChange(); });
    connect(SelectSyn->lineEdit(), &QLineEdit::textEdited, this, [this] { SelectSynChange(); });
    connect(ScaleComboBox, &QComboBox::activated, this, [this] { ScaleComboBoxChange(); });
    connect(ScaleComboBox->lineEdit(), &QLineEdit::textEdited, this,
            [this] { ScaleComboBoxChange(); });
    connect(ExitBtn, &QPushButton::clicked, this, [this] { ExitBtnClick(); });
}

void TForm2::SetTabOrder() {
    const QWidget* order[] = {ExitBtn,           FGColorBox, BGColorBox,  IndentChk,
                              ShowLineNumberChk, GutterChk,  WordWrapChk, TabWidthSpin,
                              FontSizeSpin,      SelectSyn,  ComboBox1,   ScaleComboBox,
                              DragChk,           DarkCheck};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(const_cast<QWidget*>(order[i]), const_cast<QWidget*>(order[i + 1]));
    ExitBtn->setDefault(true);
}

void TForm2::FormCreate() {
    ComboBox1->clear();
    QStringList names = VisualStyles::Names();
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    ComboBox1->addItems(names);
    ComboBox1->setCurrentIndex(ComboBox1->findText(VisualStyles::ActiveStyleName()));
}

void TForm2::showEvent(QShowEvent* event) {
    // a tall button at whatever scale the window gave the dialog's font
    ExitBtn->setMinimumHeight(ExitBtn->sizeHint().height() * 2);
    FormShow();
    QDialog::showEvent(event);
}

void TForm2::FormShow() {
    FontSizeSpin->setValue(fSettings.MemoFont.Font.pointSize());
    TabWidthSpin->setValue(fSettings.TabWidth);
    WordWrapChk->setChecked(fSettings.isWordWrap);
    GutterChk->setChecked(fSettings.isGutter);
    ShowLineNumberChk->setChecked(fSettings.isShowLineNumber);
    IndentChk->setChecked(fSettings.isIndent);
    DarkCheck->setChecked(fSettings.isDark);
    BGColorBox->ShowColor(fSettings.BGColor);
    FGColorBox->ShowColor(fSettings.FGColor);
    DragChk->setChecked(fSettings.isDragMode);
    // a scale that is none of the items leaves the box as it was
    const int* scale = std::find(std::begin(kScalePpi), std::end(kScalePpi), fSettings.ScaleValue);
    if (scale != std::end(kScalePpi)) ScaleComboBox->setCurrentIndex(int(scale - kScalePpi));
    SelectSyn->setCurrentIndex(fSettings.SelectSynNumber);
    DarkCheck->setEnabled(SelectSyn->currentIndex() != 0);
}

void TForm2::DarkCheckClick() {
    fSettings.isDark = DarkCheck->isChecked();
}

void TForm2::SelectSynChange() {
    const int index = MatchingItem(SelectSyn);
    // A typed name that matches no highlighter keeps the current one.
    if (index >= 0) fSettings.SelectSynNumber = index;
    DarkCheck->setEnabled(fSettings.SelectSynNumber != 0);
}

void TForm2::ScaleComboBoxChange() {
    fSettings.isDPIChange = true;
}

void TForm2::ExitBtnClick() {
    close();
}

void TForm2::done(int result) {
    FormCloseQuery();
    QDialog::done(result);
}

void TForm2::FormCloseQuery() {
    fSettings.isWordWrap = WordWrapChk->isChecked();
    fSettings.isGutter = GutterChk->isChecked();
    fSettings.isShowLineNumber = ShowLineNumberChk->isChecked();
    fSettings.TabWidth = TabWidthSpin->value();
    fSettings.isIndent = IndentChk->isChecked();
    fSettings.MemoFont.Font.setPointSize(TAppSettings::ValidFontSize(FontSizeSpin->value()));
    fSettings.BGColor = BGColorBox->SelectedColor();
    fSettings.FGColor = FGColorBox->SelectedColor();
    fSettings.isDragMode = DragChk->isChecked();
}

QString TForm2::SelectedStyleName() const {
    const int index = MatchingItem(ComboBox1);
    return index >= 0 ? ComboBox1->itemText(index) : ComboBox1->currentText();
}

int TForm2::SelectedScalePpi() const {
    return ScalePpi(MatchingItem(ScaleComboBox));
}
