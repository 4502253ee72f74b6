#pragma once
// The window on screens too small for it.
//
// The window keeps its designed size in device-independent pixels, so at 150 % or 200 %
// screen scaling it can be taller than the screen. There its content scrolls inside a frame
// that fits the screen's available area; where it fits, nothing changes.

#include <QRect>
#include <QScrollArea>

#include <memory>

namespace vestamar {

class FrmCalcProd;

// A scrolling frame around the window, with the window's title and icon. The window is not
// owned: it is handed back, unparented, when the frame goes.
class MolduraRolavel : public QScrollArea {
    Q_OBJECT

public:
    MolduraRolavel(FrmCalcProd& janela, const QRect& disponivel);
    ~MolduraRolavel() override;

private:
    FrmCalcProd& janela_;
};

// The room the window's title bar and borders take around its content, in pixels.
inline constexpr int kMolduraDoSistema = 48;

// A frame for the window when the window, with room for the system's title bar and borders,
// does not fit `disponivel` (the screen's available area); nullptr when it fits.
std::unique_ptr<MolduraRolavel> molduraSeNaoCouber(FrmCalcProd& janela, const QRect& disponivel);

}  // namespace vestamar
