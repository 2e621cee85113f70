#pragma once

// The about box: the program's icon, name and version, what it is, the Qt version it runs
// on, its licence, a link to the user guide, and "OK".

#include <QDialog>

namespace fendril {

class TFormAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFormAbout(QWidget* pai = nullptr);
    void Button1Click() { accept(); }

signals:
    // The user guide's link was followed.
    void pedeAjuda();
};

} // namespace fendril
