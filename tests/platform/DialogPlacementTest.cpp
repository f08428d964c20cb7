#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/DialogPlacement.h"
#include "platform/DialogService.h"
#include "platform/QtTranslations.h"

TEST(DialogPlacement, ADialogGoesBelowAboveOrBesideTheHit) {
    const QRect screen(0, 0, 1000, 800);
    const QRect dialog(100, 100, 300, 200);
    EXPECT_EQ(PlaceClearOf(dialog, QRect(500, 500, 50, 20), screen), dialog.topLeft())
        << "a dialog that covers nothing stays";
    EXPECT_EQ(PlaceClearOf(dialog, QRect(), screen), dialog.topLeft());
    const QRect hit(0, 150, 1000, 20);
    QPoint p = PlaceClearOf(dialog, hit, screen);
    EXPECT_FALSE(QRect(p, dialog.size()).intersects(hit));
    EXPECT_GT(p.y(), hit.bottom()) << "below the hit while there is room";
    const QRect low(0, 700, 1000, 20);
    p = PlaceClearOf(QRect(100, 600, 300, 200), low, screen);
    EXPECT_LT(p.y() + 200, low.top()) << "above when there is no room below";
    const QRect tall(100, 0, 50, 800);
    p = PlaceClearOf(QRect(50, 100, 300, 200), tall, screen);
    EXPECT_FALSE(QRect(p, QSize(300, 200)).intersects(tall)) << "beside as the last resort";
}

// The replace question answers to Y and N, and opens clear of the hit it asks about.
TEST(DialogPlacement, TheReplaceQuestionAnswersToTheKeysAndAvoidsTheHit) {
    TQtDialogService service;
    QWidget parent;
    parent.setGeometry(100, 100, 600, 400);
    parent.show();
    const QRect hit(100, 280, 600, 40);  // across the middle of the parent, where boxes open
    QRect shown;
    // Presses the key; a box the key did not answer is then answered the other way.
    auto press = [&](Qt::Key key) {
        QTimer::singleShot(0, [&, key] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            shown = box->frameGeometry();
            QPointer<QMessageBox> answered(box);
            QTest::keyClick(box, key);
            // A mnemonic clicks its button after a short animation.
            if (QTest::qWaitFor([&] { return !answered || !answered->isVisible(); }, 2000)) return;
            for (QAbstractButton* button : box->buttons())
                if (box->buttonRole(button) ==
                    (key == Qt::Key_Y ? QMessageBox::NoRole : QMessageBox::YesRole))
                    button->click();
        });
    };
    press(Qt::Key_Y);
    EXPECT_TRUE(service.AskYesNo(&parent, QStringLiteral("xyzに置換しますか？"), hit));
    EXPECT_TRUE(shown.isValid());
    EXPECT_FALSE(shown.intersects(hit));
    press(Qt::Key_N);
    EXPECT_FALSE(service.AskYesNo(&parent, QStringLiteral("xyzに置換しますか？"), hit));
}

TEST(QtTranslations, QtsOwnButtonsSpeakJapanese) {
    ASSERT_TRUE(InstallQtJapanese(*QCoreApplication::instance()));
    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Open);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
}
