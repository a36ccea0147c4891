// Enabling and showing one button of the MenuDialog by its ID.
#pragma once
#include "game/menu_buttons.h"

inline void EnableButton(ButtonId id, bool enabled) {
  if (CDXUTControl* button = MenuDialog.GetControl(id, DXUT_CONTROL_BUTTON)) button->SetEnabled(enabled);
}

inline void ShowButton(ButtonId id, bool visible) {
  if (CDXUTControl* button = MenuDialog.GetControl(id, DXUT_CONTROL_BUTTON)) button->SetVisible(visible);
}
