#pragma once

// The about box: the program's icon, name and version, and "OK".

#include <QDialog>

namespace fendril {

class TFormAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFormAbout(QWidget* pai = nullptr);
    void Button1Click() { accept(); }
};

} // namespace fendril
