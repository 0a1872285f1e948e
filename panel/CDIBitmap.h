// One bitmap held in device-independent form (header, colour table, bottom-up
// rows) so that it can be drawn into any device context at any size. Every
// front-panel part holds one for its current image, and the main window one
// for the panel background.
#pragma once

#include "panel/DibImage.h"

#include "platform/ui/CRect.h"

#include <iosfwd>
#include <memory>

class CBmpPalette;
class CPalette;
class CDC;

class CDIBitmap
{
public:
    CDIBitmap();
    virtual ~CDIBitmap();
    CDIBitmap(const CDIBitmap&) = delete;
    CDIBitmap& operator=(const CDIBitmap&) = delete;

    // Sets the image's rows unscaled at the destination's top-left corner,
    // from the source rectangle's corner; returns the rows set, 0 while empty.
    virtual int Draw(CDC* dc, const CRect& destination, const CRect& source);
    // Draws the whole image stretched into (x, y, width, height) of dc;
    // nothing while empty. A palette, when held, is selected and realised
    // meanwhile.
    virtual void DrawStretched(CDC* dc, int x, int y, int width, int height);
    // Draws the image at (x, y) in its own size.
    virtual void DrawAt(CDC* dc, int x, int y);

    // The BMP stream format: Load opens the named file and reads it, Save
    // creates it and writes it; each returns 0 when the file cannot be opened.
    // Read refuses a stream that is not a sound BMP and is then left empty.
    virtual int Load(const char* fileName);
    virtual int Read(std::istream& file);
    virtual int Save(const char* fileName);
    virtual int Write(std::ostream& file);

    // 1 when the named file's image is now held. A null or empty name, a file
    // that cannot be read and a file that is not a sound BMP give 0 and leave
    // the held image as it was.
    int LoadFromFile(const char* name);

    // Frees the held image and its palette.
    void Release();
    // Builds the palette from the colour table: TRUE when one is now held
    // (1, 4 and 8 bits per pixel).
    BOOL CreatePalette();
    CBmpPalette* GetPalette() const { return m_pPalette.get(); }

    bool IsEmpty() const { return m_image.IsEmpty(); }
    // Null while empty.
    const DibInfoHeader* GetInfoHeader() const;
    const DibRgbQuad* GetColorTable() const;
    const BYTE* GetPixels() const;
    int GetWidth() const { return m_image.Width(); }
    int GetHeight() const { return m_image.Height(); }
    int GetBitCount() const { return m_image.BitCount(); }
    // biClrUsed when not 0, otherwise 2 to the power of the bit count (0 for 24 bits).
    int GetPaletteEntries() const;
    // 1 after Read/Load, 0 after LoadFromFile.
    int IsReadFromStream() const { return m_bReadFromStream; }
    const DibImage& GetImage() const { return m_image; }

private:
    // Selects and realises the palette, when one is held; returns what to select back.
    bool SelectPalette(CDC* dc, CPalette*& previous);

    DibImage m_image;
    std::unique_ptr<CBmpPalette> m_pPalette;
    int m_bReadFromStream = 0;
};
