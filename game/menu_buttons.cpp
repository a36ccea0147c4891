#include "game/menu_buttons.h"

#include "files/profile_values.h"
#include "game/button_switch.h"
#include "game/flow_commands.h"

CDXUTDialog MenuDialog;

namespace {

struct ButtonRow {
  ButtonId id;
  LPCWSTR label;
  int y;
};

// Creation order is click order: where No and Next overlap, No comes first.
constexpr ButtonRow ButtonRows[] = {
    {ButtonToggleFullScreen, u"Toggle full screen", 10},
    {ButtonStartGame, u"Start Game!", 34},
    {ButtonStartTutorial, u"Start Tutorial", 58},
    {ButtonNext, u"Next", 382},
    {ButtonEndTutorial, u"End Tutorial", 406},
    {ButtonRestartGame, u"Restart Game", 82},
    {ButtonRestartLevel, u"Restart Level", 106},
    {ButtonExitGame, u"Exit Game", 130},
    {ButtonSaveGame, u"Save Game", 154},
    {ButtonLoadGame, u"Load Game", 178},
    {ButtonMuteMusic, u"Mute Music", 202},
    {ButtonYes, u"Yes", 346},
    {ButtonNo, u"No", 370},
};

constexpr int ButtonX = 35, ButtonWidth = 125, ButtonHeight = 22;
constexpr int DialogWidth = 170, DialogHeight = 170;

}  // namespace

void AddMenuButtons() {
  MenuDialog.SetCallback(OnDialogEvent);
  for (const ButtonRow& row : ButtonRows)
    MenuDialog.AddButton(row.id, row.label, ButtonX, row.y, ButtonWidth, ButtonHeight, 0, false);
  ShowButton(ButtonToggleFullScreen, false);
  ShowGameButtons(false);
  EnableButton(ButtonRestartGame, false);
  EnableButton(ButtonMuteMusic, true);
  ShowButton(ButtonNext, false);
  ShowButton(ButtonEndTutorial, false);
}

void LabelMuteButton() {
  if (auto* button =
          static_cast<CDXUTStatic*>(MenuDialog.GetControl(ButtonMuteMusic, DXUT_CONTROL_BUTTON)))
    button->SetText(MusicMuted ? u"UnMute Sound" : u"Mute Sound");
}

void PlaceMenuDialog(u32 backBufferWidth) {
  MenuDialog.SetLocation(static_cast<int>(backBufferWidth) - DialogWidth, 0);
  MenuDialog.SetSize(DialogWidth, DialogHeight);
}
