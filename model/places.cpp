// Where each variable's double lives, and the indexed table's mirror of it, which writes by
// handle store through without looking at the variable.
#include "tolvex/model/symbols.h"

#include "tolvex/model/interpreterlink.h"

namespace tolvex {

namespace {

double* PlaceOf(const TMItem* item) {
    const auto* variable = As<TMVar>(item);
    return variable ? const_cast<double*>(variable->DoubleInPlace()) : nullptr;
}

}  // namespace

void TMCustomVar::Moved(double* place) noexcept {
    place_ = place;
    if (List) List->PlaceMoved(*this);
}

// The variable may have a table without being entered in it yet, or after it left.
void TMSymbols::PlaceMoved(const TMCustomVar& variable) noexcept {
    const auto slot = static_cast<std::size_t>(variable.slot_);
    if (variable.slot_ >= 0 && slot < items_.size() && slot < places_.size() && items_[slot].get() == &variable)
        places_[slot] = PlaceOf(&variable);
    // Only the interpreter's own table: parameter tables share its link but no prepared tree
    // reads their variables.
    if (MathInterpreter && &MathInterpreter->SymbolTable() == this) MathInterpreter->PlacesMoved();
}

void TMSymbols::MirrorPlace(std::size_t index) {
    if (places_.size() < items_.size()) ResizePlaces(items_.size());
    places_[index] = PlaceOf(items_[index].get());
}

void TMSymbols::MirrorPlaces(std::size_t first) {
    ResizePlaces(items_.size());
    for (std::size_t i = first; i < items_.size(); ++i) places_[i] = PlaceOf(items_[i].get());
}

void TMSymbols::ResizePlaces(std::size_t count) {
    places_.resize(count);
    placeCount_ = count;
}

}  // namespace tolvex
