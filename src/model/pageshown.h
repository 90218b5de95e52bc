#ifndef ZT_MODEL_PAGESHOWN_H
#define ZT_MODEL_PAGESHOWN_H

// What a kit page showed when it was last filled from a kit: the kit, the pad
// (-1 for a page of the whole kit) and the values of its widgets in a fixed
// order. A commit whose widgets still hold those values has no edit to take.

#include <QVariant>

class PageShown
{
public:
    // The page now shows kit `kit` (0-based), pad `pad`, with these values.
    void remember(int kit, int pad, const QVariantList &values);
    // The page shows nothing that a commit could compare with.
    void forget();
    // True when the page was last filled from this kit and pad and still
    // holds exactly the values it showed then.
    bool unchanged(int kit, int pad, const QVariantList &values) const;

private:
    int m_kit = -1;
    int m_pad = -1;
    QVariantList m_values;
};

#endif
