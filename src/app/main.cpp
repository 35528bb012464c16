#include "fonts.h"
#include "panel_application.h"
#include "protocol_state.h"
#include "register_image.h"
#include "tform1.h"

int main(int argc, char** argv) {
    PanelApplication app(argc, argv);
    InstallFontSubstitutions();
    ProtocolState state;
    RegisterImage image;
    TForm1 form(state, image);
    form.show();
    return PanelApplication::exec();
}
