#include "QtSenderControls.h"

#include <QComboBox>
#include <QMessageBox>

namespace hwd {

int QtListControl::addItem(const char* label)
{
    comboBox_.addItem(QString::fromLocal8Bit(label));
    return comboBox_.count() - 1;
}

void QtListControl::setItemData(int index, long data)
{
    comboBox_.setItemData(index, QVariant::fromValue<qlonglong>(data), Qt::UserRole);
}

void QtListControl::setCurrentIndex(int index)
{
    comboBox_.setCurrentIndex(index);
}

int QtListControl::currentIndex() const
{
    return comboBox_.currentIndex();
}

long QtListControl::itemData(int index) const
{
    // No item, no datum: the same answer as for "nothing selected".
    if (index < 0 || index >= comboBox_.count())
        return -1;
    return static_cast<long>(comboBox_.itemData(index, Qt::UserRole).toLongLong());
}

void QtMessagePresenter::show(const char* text, const char* caption, MessageIcon icon)
{
    QMessageBox box(icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::Critical,
                    QString::fromLocal8Bit(caption), QString::fromLocal8Bit(text), QMessageBox::Ok, &owner_);
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    box.raise();
    box.activateWindow();
    box.exec();
}

} // namespace hwd
