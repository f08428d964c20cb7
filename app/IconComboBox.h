#pragma once

#include <QComboBox>
#include <QIcon>

// A drop-down list of icons whose closed face shows the chosen item with a fixed
// "selected" icon, while the open list shows every item with its own icon.
class TIconComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TIconComboBox(QWidget* parent = nullptr);
    void SetSelectedIcon(const QIcon& icon) { fSelectedIcon = icon; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QIcon fSelectedIcon;
};
