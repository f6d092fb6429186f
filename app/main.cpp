// PadConfig: configures the Corvask 12 Gaming Keypad.

#include "app/PadConfigMain.h"
#include "keypad/PadLinkPort.h"

int main(int argc, char** argv) {
    return pad::RunPadConfig(argc, argv, pad::PadLinkPort());
}
