#include "picker/TreeOutline.h"

size_t TreeOutline::BeginItem(HTREEITEM item, int id, bool person) {
    const size_t place = items_.size();
    items_.push_back(Item{id, person, place + 1});
    if (item != nullptr) places_.emplace(item, place);
    return place;
}

void TreeOutline::EndItem(size_t place) { items_[place].end = items_.size(); }

void TreeOutline::Attach(size_t place, HTREEITEM item) {
    if (item != nullptr && place < items_.size()) places_.emplace(item, place);
}

void TreeOutline::Clear() {
    items_.clear();
    places_.clear();
}
