#include "game/tutorial.h"

namespace {

constexpr const char* StepTexts[] = {
    "Welcome to Tumblox!\nYou're about to embark \non a puzzle game like never before!\n"
    "(Push Next--->)",
    "The poor Orbels have been dislocated\nfrom their home!\nPlease help bring them back "
    "safely.\nThe object of each level is to navigate \neach Orbel to its NEST by rolling it.",
    "Holding RIGHT (D) will move \nthe platform towards the right.\nThis will make the Orbel "
    "Roll!",
    "Similarly, holding LEFT (A) will move \nthe platform towards the left.",
    "And UP (W)...",
    "And DOWN (S)...",
    "Mixing & Matching your controls\nto make the ORBEL ROLL in all \nkinds of directions",
    "",
    "That's all there is to it\nto making the ORBEL ROLL",
    "You control everything by\nsimply tilting the platform\nin the direction you want the\n"
    "objects to roll",
    "Sometimes you will be able to \nROLL many objects at once!\nThis is where the fun is....",
    "There are also triggers\nthat open doors, like the\none you see below.",
    "ROLL the ORBEL DOWN (D) to touch\nthe trigger to open the door.",
    "",
    "Triggers will open and close doors\nas long as you keep touching it\nSo once the door "
    "opens, don't trigger\nanymore.",
    "Some doors require that all triggers\nbe activated at the same time",
    "You will encounter many challenging\nobstacles throughout the game.\nYou'll have to use "
    "skills to make \nit through each level!",
    "Thank you for playing.\nHave FUN!",
};
constexpr u32 ClosingStep = 17;
constexpr const char* DoneText = "Good job!";

}  // namespace

const char* Tutorial::StepText() {
  if (Step == 6 || Step == 14) StepDone = 0;
  if ((Step == 5 || Step == 13) && StepDone) return DoneText;
  return StepTexts[Step < ClosingStep ? Step : ClosingStep];
}
