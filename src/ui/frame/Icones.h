#pragma once

// The icons of the program's commands and document kinds: the desktop's icon theme where it
// has them (QIcon::fromTheme, by freedesktop name), else the ones the program carries: Qt's
// own standard icons and a few drawn here.

#include "ui/frame/TComando.h"

#include <QIcon>
#include <QString>
#include <QStyle>

namespace fendril {

// The theme's icon `nome`, or Qt's standard icon `reserva` when the theme has none.
QIcon IconeTema(const QString& nome, QStyle::StandardPixmap reserva);

// The icon of a document kind ("kmf", "tpt", "tpg", "kgf"): a page marked with the kind's
// colour and sign. Windows of the kind and its New commands show it.
QIcon IconeDocumento(const QString& extensao);

// Synchronise With Database: the theme's "emblem-synchronizing", else a database with a
// circling arrow drawn here.
QIcon IconeSincronizacao();

// The icon of a forwarded tool command; none for Show Tags, whose caption "<>" is its face.
QIcon IconeComando(TComando comando);

} // namespace fendril
