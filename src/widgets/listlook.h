#ifndef ZT_WIDGETS_LISTLOOK_H
#define ZT_WIDGETS_LISTLOOK_H

class QTreeView;

namespace listlook {

// A list whose rows are dragged out and never dropped on: copy by default,
// tool tips, the vertical scroll bar always shown.
void dragOnly(QTreeView *view);

} // namespace listlook

#endif
