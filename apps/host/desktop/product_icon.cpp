#include "desktop/product_icon.h"

// The icons live in a resource of a static library: its initialiser is called by name, or the
// linker may leave it out. Qt wants the call outside any namespace.
static void InitProductIconResource() {
    Q_INIT_RESOURCE(product_icon);
}

namespace host {

QIcon ProductIcon() {
    InitProductIconResource();
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/exp036/exp036-host-%1.png").arg(size), QSize(size, size));
    return icon;
}

}  // namespace host
