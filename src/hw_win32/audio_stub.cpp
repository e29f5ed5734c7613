// Placeholder for the audio output device's stop until that device exists: replace this file
// (delete it) when hw_win32 gains the real wave-out layer.
void VRX_audio_stop() {}
