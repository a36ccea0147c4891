#include "game/start_up.h"

#include <cstdlib>
#include <cstring>
#include <ctime>

#include "files/missing_data.h"
#include "files/profile.h"
#include "files/profile_values.h"
#include "game/flow_commands.h"
#include "game/menu_buttons.h"
#include "sound/sound_table.h"

void InitGame() {
  if (ReportMissingGameData()) GameDataMissing = 1;
  AddMenuButtons();
  std::strcpy(ProfilePath, "res/profile/profile.mnd");
  MapScoreList = new struct MapScoreList();
  LoadProfile();
  InitSound();
  std::srand(unsigned(std::time(nullptr)));
  LabelMuteButton();
}

LRESULT OnWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                        bool* noFurtherProcessing) {
  *noFurtherProcessing = MenuDialog.MsgProc(window, message, wParam, lParam);
  if (*noFurtherProcessing) return 0;
  if (!MainWindow) MainWindow = window;
  return 0;
}
