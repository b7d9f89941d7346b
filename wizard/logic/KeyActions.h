#pragma once
// The game actions of the wizard's key pages: one button per action, whose caption is the key
// the edited config binds to the action's command. Commands are written with their double
// quotes, exactly as they stand in a bind line (`bind "w" "+forward"`).
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace brindle::wizard {

// Index of the page that holds a button (the key pages are the wizard's pages 8, 9 and 10).
inline constexpr int kMovePage = 8;     // "Кнопки": movement, buy scripts, key lists
inline constexpr int kActionsPage = 9;  // "Кнопки2": every other action
inline constexpr int kRadioPage = 10;   // "Кнопки3": radio and chat

struct KeyAction {
  std::string_view button;   // objectName of the action button
  std::string_view command;  // with its double quotes
  int page;
  std::string_view group;  // UTF-8; empty when the button stands outside a group box
  std::string_view label;  // UTF-8; the text beside the button, empty for the movement cross
};

inline constexpr std::size_t kKeyActionCount = 44;

// In the order the loading pass reads them; the groups appear in the order of their pages.
inline constexpr std::array<KeyAction, kKeyActionCount> kKeyActions = {{
    {"Button4", "\"+forward\"", kMovePage, "Кнопки движения:", ""},
    {"Button5", "\"+moveleft\"", kMovePage, "Кнопки движения:", ""},
    {"Button6", "\"+back\"", kMovePage, "Кнопки движения:", ""},
    {"Button7", "\"+moveright\"", kMovePage, "Кнопки движения:", ""},
    {"Button9", "\"+attack\"", kActionsPage, "", "Атака:"},
    {"Button10", "\"+attack2\"", kActionsPage, "", "Оптика:"},
    {"Button11", "\"+jump\"", kActionsPage, "", "Прыжок:"},
    {"Button12", "\"+duck\"", kActionsPage, "", "Присесть:"},
    {"Button13", "\"+moveup\"", kActionsPage, "Подъем:", "Вверх:"},
    {"Button14", "\"+movedown\"", kActionsPage, "Подъем:", "Вниз:"},
    {"Button15", "\"+left\"", kActionsPage, "Поворот:", "Влево:"},
    {"Button16", "\"+right\"", kActionsPage, "Поворот:", "Вправо:"},
    {"Button17", "\"slot1\"", kActionsPage, "Меню:", "Slot1:"},
    {"Button18", "\"slot2\"", kActionsPage, "Меню:", "Slot2:"},
    {"Button19", "\"slot3\"", kActionsPage, "Меню:", "Slot3:"},
    {"Button20", "\"slot4\"", kActionsPage, "Меню:", "Slot4:"},
    {"Button21", "\"slot5\"", kActionsPage, "Меню:", "Slot5:"},
    {"Button22", "\"slot6\"", kActionsPage, "Меню:", "Slot6:"},
    {"Button23", "\"slot7\"", kActionsPage, "Меню:", "Slot7:"},
    {"Button24", "\"slot8\"", kActionsPage, "Меню:", "Slot8:"},
    {"Button25", "\"slot9\"", kActionsPage, "Меню:", "Slot9:"},
    {"Button26", "\"slot10\"", kActionsPage, "Меню:", "Slot10:"},
    {"Button27", "\"invprev\"", kActionsPage, "Смена, выброс и перезарядка оружия", "Предыдущее:"},
    {"Button28", "\"invnext\"", kActionsPage, "Смена, выброс и перезарядка оружия", "Следующее:"},
    {"Button29", "\"lastinv\"", kActionsPage, "Смена, выброс и перезарядка оружия", "Последнее:"},
    {"Button30", "\"drop\"", kActionsPage, "Смена, выброс и перезарядка оружия", "Выброс оружия:"},
    {"Button41", "\"+reload\"", kActionsPage, "Смена, выброс и перезарядка оружия",
     "Перезарядить:"},
    {"Button31", "\"toggleconsole\"", kActionsPage, "", "Консоль:"},
    {"Button32", "\"+use\"", kActionsPage, "", "Использовать:"},
    {"Button33", "\"impulse 100\"", kActionsPage, "", "Фонарик:"},
    {"Button34", "\"pause\"", kActionsPage, "", "Пауза:"},
    {"Button35", "\"nightvision\"", kActionsPage, "", "Очки НВ:"},
    {"Button36", "\"impulse 201\"", kActionsPage, "", "Граффити:"},
    {"Button37", "\"+showscores\"", kActionsPage, "", "Счет:"},
    {"Button38", "\"buy\"", kActionsPage, "", "Покупка:"},
    {"Button39", "\"quit\"", kActionsPage, "", "Выход:"},
    {"Button40", "\"cancelselect\"", kActionsPage, "", "Отмена:"},
    {"Button42", "\"chooseteam\"", kActionsPage, "", "Смена команды:"},
    {"Button43", "\"+speed\"", kActionsPage, "", "Бег/Шаг:"},
    {"Button44", "\"radio1\"", kRadioPage, "Радио и сообщения", "Радио1:"},
    {"Button45", "\"radio2\"", kRadioPage, "Радио и сообщения", "Радио2:"},
    {"Button46", "\"radio3\"", kRadioPage, "Радио и сообщения", "Радио3:"},
    {"Button47", "\"messagemode2\"", kRadioPage, "Радио и сообщения", "Сообщение своей команде:"},
    {"Button48", "\"messagemode\"", kRadioPage, "Радио и сообщения", "Сообщение всем:"},
}};

// The action of a button by its objectName, or nullptr.
const KeyAction* findKeyAction(std::string_view button);

// `bind "KEY" CMD`: the key in quotes, one blank, the command with its own quotes.
std::string actionBindLine(std::string_view key, std::string_view command);

// What ReadBoundKey searches for to find the key bound to `command`: a double quote, a blank
// and the command with its quotes (`" "+forward"`).
std::string boundKeySuffix(std::string_view command);

}  // namespace brindle::wizard
