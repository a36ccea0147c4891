// The music: the switch from one track to another and keeping it playing.
#pragma once

// Unless the music is muted: stops and rewinds the current track, makes
// `name` the current music and plays it.
void SwitchMusic(const char* name);
// Restarts the current music when it has ended or stands at its start,
// unless muted. Every frame, frozen or not.
void KeepMusicPlaying();
