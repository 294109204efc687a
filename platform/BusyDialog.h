#pragma once
// A dialog that ignores its close box and Escape while it works.
#include <QCloseEvent>
#include <QDialog>

namespace kx4 {

class BusyDialog : public QDialog {
public:
    using QDialog::QDialog;

    bool Busy() const { return busy_; }

protected:
    void SetBusy(bool on) { busy_ = on; }

    void closeEvent(QCloseEvent* event) override
    {
        if (busy_) {
            event->ignore();
            return;
        }
        QDialog::closeEvent(event);
    }
    void reject() override
    {
        if (!busy_)
            QDialog::reject();
    }

private:
    bool busy_ = false;
};

} // namespace kx4
