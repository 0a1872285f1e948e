// What kind of button CReportCtrl::AddButton lays over a cell, and its caption.
#pragma once

#include <string>
#include <utility>

struct ButtonSpec
{
    ButtonSpec() = default;
    ButtonSpec(int type, std::string caption) : m_nType(type), m_strCaption(std::move(caption)) {}

    int m_nType = 0; // 0 push button, 1 radio-style button
    std::string m_strCaption;
};
