#include "app/Form2.h"

#include "ui_Form2.h"

#include <QCloseEvent>

Form2::Form2() : QWidget(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), ui(std::make_unique<Ui::Form2>())
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(size());
    setWindowFlag(Qt::WindowMinimizeButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    connect(ui->Command1, &QPushButton::clicked, this, &QWidget::close);
}

Form2::~Form2() = default;

void Form2::closeEvent(QCloseEvent* event)
{
    emit closed();
    event->accept();
}
