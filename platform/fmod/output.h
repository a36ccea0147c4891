// Where the mixed sound goes: the sound device, or nowhere at real-time
// speed when there is none.
#pragma once

// Starts pulling frames from the mixer at `rate` Hz. Returns false when no
// device could be opened and the output is silent instead.
bool OpenAudioOutput(int rate);
// Stops the output; the mixer's streams stay where they are.
void CloseAudioOutput();
