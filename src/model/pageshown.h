#ifndef ZT_MODEL_PAGESHOWN_H
#define ZT_MODEL_PAGESHOWN_H

// What a kit page showed when it was last filled from a kit: the kit, the pad
// (-1 for a page of the whole kit) and what its widgets held, compared with
// ==. A commit whose widgets still hold that has no edit to take.

#include <QVariant>

template <class Values>
class PageShownAs
{
public:
    // The page now shows kit `kit` (0-based), pad `pad`, with these values.
    void remember(int kit, int pad, const Values &values)
    {
        m_kit = kit;
        m_pad = pad;
        m_values = values;
    }
    // The page shows nothing that a commit could compare with.
    void forget()
    {
        m_kit = m_pad = -1;
        m_values = Values();
    }
    // True when the page was last filled from this kit and pad and still
    // holds exactly the values it showed then.
    bool unchanged(int kit, int pad, const Values &values) const
    {
        return m_kit >= 0 && kit == m_kit && pad == m_pad && values == m_values;
    }

private:
    int m_kit = -1;
    int m_pad = -1;
    Values m_values;
};

// Widget values in a fixed order.
using PageShown = PageShownAs<QVariantList>;

#endif
