// The plug-in's extension tables, looked up by id.
#pragma once

namespace qm07
{
/// Any thread; a static table, or null for an id this plug-in does not offer.
const void* clapExtension(const char* id);
} // namespace qm07
