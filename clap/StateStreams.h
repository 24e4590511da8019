// The 40-byte state through the host's streams, which may move fewer bytes per call than asked.
#pragma once

#include "State.h"
#include "abi/Stream.h"

namespace qm07
{
/// Main thread; no allocation. True once all 40 bytes are written; false on an error or a stream that
/// stops taking bytes.
bool writeStateTo(const clap::clap_ostream* stream, const StateBytes& bytes);
/// Main thread; no allocation. True once 40 bytes are read (anything after them is left unread); false at
/// an error or an end before them, with whatever was read so far in `bytes`.
bool readStateFrom(const clap::clap_istream* stream, StateBytes& bytes);
} // namespace qm07
