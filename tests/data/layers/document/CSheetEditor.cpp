// An editor that asks the player for the insert time.
#include "document/CSheetEditor.h"
#include "audio/IWavePlayer.h"
#include "model/CCueTrack.h"
