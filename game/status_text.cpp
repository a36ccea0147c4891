#include "game/status_text.h"

#include "files/map_reader.h"
#include "files/profile_values.h"
#include "files/widen_text.h"
#include "game/game_values.h"
#include "game/menu_buttons.h"
#include "game/status_text_lines.h"
#include "game/tutorial.h"
#include "platform/dxut/dxut.h"
#include "platform/dxut/dxut_gui.h"
#include "render/device_resources.h"
#include "sound/sound_table.h"
#include "world/level_clock.h"
#include "world/scene.h"

namespace {

constexpr int LineHeight = 15;
constexpr int HudRightMargin = 150;
constexpr int QuitTextTop = 200;
constexpr int MissingDataWidth = 512;

constexpr char NoticeText[] = "Data Is Inconsistent.\nPlease reinstall Tumblox";
constexpr char QuitText[] = "Really Quit?";
constexpr char FailedText[] = "Try Again";
constexpr char EndText[] =
    "Congratulations!\nYou have completed saving all the Tumbloxes!.\nThank you for playing\n"
    "Tumblox, by the Tumblox team";
constexpr char CreditsText[] = "Press Enter or Start Game! to play";
static_assert(sizeof EndText <= StatusTextCapacity);

void DrawWide(CDXUTTextHelper& helper, const WCHAR* text, int x, int y) {
  helper.SetInsertionPos(x, y);
  helper.SetForegroundColor(D3DXCOLOR(1.0f, 1.0f, 0.0f, 1.0f));
  helper.DrawTextLine(text);
}

// `text` holds at most StatusTextCapacity - 1 characters.
void Draw(CDXUTTextHelper& helper, const char* text, int x, int y) {
  WCHAR wide[StatusTextCapacity];
  WidenText(wide, text);
  DrawWide(helper, wide, x, y);
}

// The music stays stopped and muted and the buttons hidden while the notice
// shows, whatever the player clicks.
void SilenceForNotice() {
  MusicMuted = 1;
  PlaySoundByName(CurrentMusicName, false, true);
  HideMenuButtons();
}

void DrawScoreTimeAndLevel(CDXUTTextHelper& helper, const Scene& scene, int w, int h) {
  StatusLine line;
  FormatScoreText(line, Score, HighScore);
  Draw(helper, line, 30, 20);
  const MapScore* best = MapScoreList ? MapScoreList->Find(scene.currentMapName) : nullptr;
  FormatTimeText(line, CurrentLevelClock->secondsLeft, best ? best->score : 0);
  Draw(helper, line, w / 2 - 50, 10);
  FormatLevelText(line, scene.currentMapName);
  Draw(helper, line, w - HudRightMargin - 20, h - 100);
}

void DrawCases(CDXUTTextHelper& helper, int w, int h) {
  if (DataInconsistent) {
    Draw(helper, NoticeText, w / 2, h / 2);
    SilenceForNotice();
    return;
  }
  if (ExitPromptShown) Draw(helper, QuitText, w - HudRightMargin, QuitTextTop + 50);
  if (!CurrentScene || !CurrentLevelClock) {
    WCHAR missing[MissingDataWidth];
    FormatMissingDataText(missing, MissingDataWidth);
    DrawWide(helper, missing, 10, h / 2);
    return;
  }
  const Scene& scene = *CurrentScene;
  if (scene.tutorial) {
    Draw(helper, CurrentTutorial.StepText(), w / 2 - 130, h / 2 - 100);
    return;
  }
  if (scene.finished) {
    Draw(helper, EndText, w / 2 - 100, h / 2 - 100);
    return;
  }
  if (scene.cleared) {
    StatusLine line;
    FormatClearedText(line, scene.retried, CurrentLevelClock->secondsLeft, scene.CountShownBalls());
    Draw(helper, line, w / 2 - 130, h / 2);
  } else if (scene.failed) {
    Draw(helper, FailedText, w / 2 - 130, h / 2);
  }
  if (GameStarted == 1) {
    DrawScoreTimeAndLevel(helper, scene, w, h);
    return;
  }
  Draw(helper, CreditsText, w / 2 - 200, h - 80);
}

}  // namespace

void DrawStatusText(IDirect3DDevice9*) {
  const D3DSURFACE_DESC* backBuffer = DXUTGetBackBufferSurfaceDesc();
  CDXUTTextHelper helper(StatusFont, StatusSprite, LineHeight);
  helper.Begin();
  DrawCases(helper, static_cast<int>(backBuffer->Width), static_cast<int>(backBuffer->Height));
  helper.End();
}
