#pragma once

#include <QIcon>
#include <vector>

// The node icons, rendered from the SVG artwork once at start. Index 0 is the selection
// icon; 1 to 50 are the icons a user can choose. Any other index draws no icon.
class TNodeImageList {
public:
    explicit TNodeImageList(int size = 16);
    int Count() const { return static_cast<int>(fIcons.size()); }
    // The icon at index, or a null icon for an index outside the list.
    QIcon Icon(int index) const;

private:
    std::vector<QIcon> fIcons;
};
