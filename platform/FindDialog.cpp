#include "platform/FindDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TFindDialog::TFindDialog(QWidget* parent) : QDialog(parent, Qt::Tool) {
    setModal(false);
    setWindowTitle(QStringLiteral("検索"));
    fFields = new QGridLayout;
    FindEdit = new QLineEdit(this);
    FindEdit->setObjectName(QStringLiteral("FindEdit"));
    auto* findLabel = new QLabel(QStringLiteral("検索する文字列(&N):"), this);
    findLabel->setBuddy(FindEdit);
    fFields->addWidget(findLabel, 0, 0);
    fFields->addWidget(FindEdit, 0, 1);

    MatchCaseBox = new QCheckBox(QStringLiteral("大文字と小文字を区別する(&C)"), this);
    MatchCaseBox->setObjectName(QStringLiteral("MatchCaseBox"));
    WholeWordBox = new QCheckBox(QStringLiteral("単語単位で探す(&W)"), this);
    WholeWordBox->setObjectName(QStringLiteral("WholeWordBox"));
    fDirectionBox = new QGroupBox(QStringLiteral("検索する方向"), this);
    UpButton = new QRadioButton(QStringLiteral("上へ(&U)"), fDirectionBox);
    UpButton->setObjectName(QStringLiteral("UpButton"));
    DownButton = new QRadioButton(QStringLiteral("下へ(&D)"), fDirectionBox);
    DownButton->setObjectName(QStringLiteral("DownButton"));
    auto* directionLayout = new QHBoxLayout(fDirectionBox);
    directionLayout->addWidget(UpButton);
    directionLayout->addWidget(DownButton);
    DownButton->setChecked(true);

    fButtons = new QVBoxLayout;
    FindNextButton = new QPushButton(QStringLiteral("次を検索(&F)"), this);
    FindNextButton->setObjectName(QStringLiteral("FindNextButton"));
    FindNextButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("キャンセル"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    fButtons->addWidget(FindNextButton);
    fButtons->addWidget(CancelButton);
    fButtons->addStretch();
    connect(FindNextButton, &QPushButton::clicked, this, [this] {
        SetPressed(frFindNext);
        if (OnFind) OnFind(*this);
    });
    connect(CancelButton, &QPushButton::clicked, this, &TFindDialog::CloseDialog);

    auto* boxes = new QVBoxLayout;
    boxes->addWidget(WholeWordBox);
    boxes->addWidget(MatchCaseBox);
    auto* options = new QHBoxLayout;
    options->addLayout(boxes);
    options->addWidget(fDirectionBox);
    auto* left = new QVBoxLayout;
    left->addLayout(fFields);
    left->addLayout(options);
    auto* main = new QHBoxLayout(this);
    main->addLayout(left);
    main->addLayout(fButtons);
}

void TFindDialog::SetPressed(TFindOptions which) {
    fOptions = (fOptions & ~(frFindNext | frReplace | frReplaceAll)) | which;
}

QString TFindDialog::FindText() const {
    return FindEdit->text();
}

void TFindDialog::SetFindText(const QString& text) {
    FindEdit->setText(text);
}

TFindOptions TFindDialog::Options() const {
    TFindOptions options = fOptions & ~(frDown | frMatchCase | frWholeWord);
    if (DownButton->isChecked()) options |= frDown;
    if (MatchCaseBox->isChecked()) options |= frMatchCase;
    if (WholeWordBox->isChecked()) options |= frWholeWord;
    return options;
}

void TFindDialog::SetOptions(TFindOptions options) {
    fOptions = options;
    DownButton->setChecked(options & frDown);
    UpButton->setChecked(!(options & frDown));
    MatchCaseBox->setChecked(options & frMatchCase);
    WholeWordBox->setChecked(options & frWholeWord);
    ApplyVisibility();
}

void TFindDialog::ApplyVisibility() {
    MatchCaseBox->setVisible(!(fOptions & frHideMatchCase));
    WholeWordBox->setVisible(!(fOptions & frHideWholeWord));
    fDirectionBox->setVisible(!(fOptions & frHideUpDown));
    MatchCaseBox->setEnabled(!(fOptions & frDisableMatchCase));
    WholeWordBox->setEnabled(!(fOptions & frDisableWholeWord));
    fDirectionBox->setEnabled(!(fOptions & frDisableUpDown));
}

bool TFindDialog::Execute() {
    ApplyVisibility();
    show();
    raise();
    activateWindow();
    FindEdit->setFocus();
    FindEdit->selectAll();
    return true;
}

void TFindDialog::CloseDialog() {
    hide();
}

TReplaceDialog::TReplaceDialog(QWidget* parent) : TFindDialog(parent) {
    setWindowTitle(QStringLiteral("置換"));
    ReplaceEdit = new QLineEdit(this);
    ReplaceEdit->setObjectName(QStringLiteral("ReplaceEdit"));
    auto* replaceLabel = new QLabel(QStringLiteral("置換後の文字列(&P):"), this);
    replaceLabel->setBuddy(ReplaceEdit);
    fFields->addWidget(replaceLabel, 1, 0);
    fFields->addWidget(ReplaceEdit, 1, 1);

    ReplaceButton = new QPushButton(QStringLiteral("置換して次に(&R)"), this);
    ReplaceButton->setObjectName(QStringLiteral("ReplaceButton"));
    ReplaceAllButton = new QPushButton(QStringLiteral("すべて置換(&A)"), this);
    ReplaceAllButton->setObjectName(QStringLiteral("ReplaceAllButton"));
    fButtons->insertWidget(1, ReplaceButton);
    fButtons->insertWidget(2, ReplaceAllButton);
    auto press = [this](TFindOptions which) {
        SetPressed(which);
        if (OnReplace) OnReplace(*this);
    };
    connect(ReplaceButton, &QPushButton::clicked, this, [press] { press(frReplace); });
    connect(ReplaceAllButton, &QPushButton::clicked, this, [press] { press(frReplaceAll); });
}

QString TReplaceDialog::ReplaceText() const {
    return ReplaceEdit->text();
}

void TReplaceDialog::SetReplaceText(const QString& text) {
    ReplaceEdit->setText(text);
}

void TReplaceDialog::ApplyVisibility() {
    TFindDialog::ApplyVisibility();
    // Replacing always works forwards: the replace dialog has no direction choice.
    fDirectionBox->setVisible(false);
}
