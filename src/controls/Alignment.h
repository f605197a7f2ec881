#pragma once

// Horizontal text alignment shared by the controls' published properties.
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
