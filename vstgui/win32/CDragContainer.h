// The data of an OLE drag, as the views see it: the data object and the number of items it offers.
#pragma once

#include "CReferenceCounter.h"

#include <cstdint>

struct IDataObject;

namespace VSTGUI
{

class CDragContainer : public CReferenceCounter
{
public:
    /// Counts the items at once: 1 for text, the number of files for a file list, else 0.
    explicit CDragContainer(IDataObject* dataObject);

    std::int32_t getCount() const { return itemCount; }
    /// The dragged data, valid only during the drag; not counted.
    IDataObject* getPlatformDrag() const { return dataObject; }

private:
    IDataObject* dataObject = nullptr;
    std::int32_t itemCount = 0;
};

} // namespace VSTGUI
