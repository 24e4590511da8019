// Counting the items of an OLE data object; every storage medium received is given back at once.
#include "CDragContainer.h"

#include <windows.h>

#include <ole2.h>
#include <shellapi.h>

namespace VSTGUI
{

namespace
{

FORMATETC formatOf(CLIPFORMAT format)
{
    return {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

std::int32_t countItems(IDataObject* dataObject)
{
    FORMATETC text = formatOf(CF_TEXT);
    STGMEDIUM medium = {};
    if (dataObject->GetData(&text, &medium) == S_OK)
    {
        ReleaseStgMedium(&medium);
        return 1;
    }
    FORMATETC files = formatOf(CF_HDROP);
    medium = {};
    if (dataObject->GetData(&files, &medium) != S_OK) return 0;
    UINT count = DragQueryFileA(static_cast<HDROP>(medium.hGlobal), 0xFFFFFFFF, nullptr, 0);
    ReleaseStgMedium(&medium);
    return static_cast<std::int32_t>(count);
}

} // namespace

CDragContainer::CDragContainer(IDataObject* data) : dataObject(data)
{
    if (dataObject) itemCount = countItems(dataObject);
}

} // namespace VSTGUI
