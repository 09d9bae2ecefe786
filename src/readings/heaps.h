#pragma once

#include <QPoint>

#include <array>

// The fixed heaps of face-down backs, left/top in twips, in deal order. Hand-placed so
// that the backs overlap like a spread-out pile and leave the slots free.
namespace Heaps {
extern const std::array<QPoint, 78> day;
extern const std::array<QPoint, 78> cross;
extern const std::array<QPoint, 78> relationship;
extern const std::array<QPoint, 78> celtic;
} // namespace Heaps
