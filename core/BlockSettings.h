// What one process call reads from the parameters before its loop.
#pragma once

#include "Parameters.h"

struct BlockSettings
{
    int scMode = 0;         // 0 off, 1 A, 2 B
    int push = 0;           // 0, I or II
    double slope = 0.0;     // fraction of the overshoot removed
    double threshold = 0.0; // dB
    double kneeWidth = 0.0; // dB
    double halfKnee = 0.0;  // dB
    double makeupDb = 0.0;
    double dry = 0.0;       // share of the unprocessed signal
    double wet = 1.0;       // 1 − dry
    double pushDepth = 0.0; // dB of jitter per unit of noise
};

/// Any thread, never allocates: the settings for the stored normalized values.
BlockSettings blockSettingsFrom(const qm07::ParameterValues& values);
