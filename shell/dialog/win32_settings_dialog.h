// The settings dialog "<Tessarine>", shown modally in configure mode.
#pragma once

namespace tessarine::shell {

// Shows the dialog modally with no owner over the settings of Tessarine_B();
// returns when it has closed.
void show_settings_dialog();

}  // namespace tessarine::shell
