// Base of the drawing objects: a pen, brush, font, bitmap or palette, empty
// until one of the Create... calls of its class (or CreateStockObject) fills
// it. A device context that has an object selected keeps what it needs of it,
// so deleting an object that is still selected is harmless.
#pragma once

#include "platform/ui/GdiTypes.h"

#include <memory>

namespace gdi_detail {
struct GdiObjectData;
}

class CGdiObject
{
public:
    CGdiObject() = default;
    virtual ~CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    // Non-null once the object holds something.
    const void* GetSafeHandle() const { return m_data.get(); }
    BOOL DeleteObject();

    // A stock pen, brush or font (WHITE_BRUSH ... DEFAULT_GUI_FONT). FALSE for
    // an index this platform does not know.
    BOOL CreateStockObject(int index);

    // Inside the drawing layer: the data of the object (null when empty).
    const std::shared_ptr<gdi_detail::GdiObjectData>& Data() const { return m_data; }

protected:
    void SetData(std::shared_ptr<gdi_detail::GdiObjectData> data) { m_data = std::move(data); }

private:
    std::shared_ptr<gdi_detail::GdiObjectData> m_data;
};
