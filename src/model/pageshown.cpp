#include "model/pageshown.h"

void PageShown::remember(int kit, int pad, const QVariantList &values)
{
    m_kit = kit;
    m_pad = pad;
    m_values = values;
}

void PageShown::forget()
{
    m_kit = m_pad = -1;
    m_values.clear();
}

bool PageShown::unchanged(int kit, int pad, const QVariantList &values) const
{
    return m_kit >= 0 && kit == m_kit && pad == m_pad && values == m_values;
}
