// The switch from one music track to another.
#pragma once

// Unless the music is muted: stops and rewinds the current track, makes
// `name` the current music and plays it.
void SwitchMusic(const char* name);
