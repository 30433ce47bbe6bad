// FigureClipGroup: the parts of a group's outlines that lie inside a box, cut by the transform
// library's figure cut. Closed outlines stay closed (the box's edge closes them), which is what
// the cut preview needs; children wholly inside are cloned without the library and children
// wholly outside are dropped, so the library sees only what straddles the box.
#pragma once

class CFRect;
class CGroupBlock;
class CWeldDll;

// A new group of the parts inside the box (possibly without children); null when the group is
// empty or the library is not bound. A library given must have been bound by the caller; without
// one the function binds its own for the call.
CGroupBlock* FigureClipGroup(CGroupBlock* group, float left, float top, float right, float bottom,
                             CWeldDll* library = nullptr);
