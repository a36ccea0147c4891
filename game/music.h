// The flow's sounds by name: effects and music tracks played from their
// start, and the switch from one music track to another.
#pragma once

// Plays the named sound from its start, looping, when the table holds it.
void PlayLoopedSound(const char* name);
// Unless the music is muted: stops and rewinds the current track, makes
// `name` the current music and plays it.
void SwitchMusic(const char* name);
