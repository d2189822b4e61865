#pragma once

// The About window. It is a window of its own (not a child of the main window), so it stays usable
// while the main window is disabled; it tells the main window when it closes.

#include <QWidget>
#include <memory>

namespace Ui {
class Form2;
}

class Form2 : public QWidget
{
    Q_OBJECT

public:
    Form2();
    ~Form2() override;

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<Ui::Form2> ui;
};
