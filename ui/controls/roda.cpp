#include "roda.h"

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace vestamar {

namespace {

class FiltroRoda : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* alvo, QEvent* evento) override {
        if (evento->type() != QEvent::Wheel || static_cast<QWidget*>(alvo)->hasFocus()) return false;
        // Kept from the control and left unaccepted, so that Qt hands it to the container.
        evento->ignore();
        return true;
    }
};

}  // namespace

void rodaSoComFoco(QWidget* controle) { controle->installEventFilter(new FiltroRoda(controle)); }

}  // namespace vestamar
