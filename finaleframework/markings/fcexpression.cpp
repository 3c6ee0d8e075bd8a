#include "finaleframework/markings/fcexpression.h"

#include "finaleframework/collections/fcregion.h"
#include "finaleframework/core/fcstring.h"
#include "finaleframework/core/fctext.h"
#include "finalepdk/finalepdk.h"

namespace {
constexpr uint32_t kExpressionRawText = 0x74787870;
}

FCString* FCTextExpressionDef::CreateTextString() {
    // Only a loaded definition with a loaded text block leads to a text.
    if (_loadedSize < 2) return new FCString();
    FCTextBlock block(FINALE_FRAMEWORK_VERSION);
    if (!block.Load(_GetField<uint16_t>(0))) return new FCString();
    return block.CreateRawTextString(kExpressionRawText);
}

bool FCExpression::IsVisibleOnStaff(int16_t staff, FCStaffListElement::STAFFLIST_MODES mode) {
    if (staff == GetStaff()) return true;
    const uint16_t list = GetStaffList();
    if (list == 0) return false;
    FCStaffListElements staves;
    staves._customTag = FCStaffListElement::TagOfMode(mode);
    staves.LoadAllForItem(list, FINALE_FRAMEWORK_VERSION);
    for (int i = 0; i < staves.GetCount(); ++i)
        if (static_cast<FCStaffListElement*>(staves.GetItemAt(i))->GetStaff() == staff) return true;
    return false;
}

FCTextExpressionDef* FCExpression::CreateTextExpressionDef() {
    if (!IsTextExpression()) return nullptr;
    auto* definition = new FCTextExpressionDef(FINALE_FRAMEWORK_VERSION);
    definition->Load(GetDefinitionID());
    return definition;
}

void FCExpressions::LoadAllInCell(FCCell* cell, FCStaffListElement::STAFFLIST_MODES mode, uint32_t version) {
    _Clear();
    auto* prototype = static_cast<FCExpression*>(CreateElement(version));
    prototype->_customTag = _customTag;
    const auto measure = static_cast<uint16_t>(cell->_measure);
    const auto staff = static_cast<int16_t>(cell->_staff);
    for (int incident = 0; incident <= INT16_MAX && prototype->Load(measure, static_cast<int16_t>(incident));
         ++incident)
        if (prototype->IsVisibleOnStaff(staff, mode)) Add(prototype->CreateClone());
    delete prototype;
}
