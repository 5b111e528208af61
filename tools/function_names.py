"""Display names of the button functions, in English and Chinese.

One list for every generator that needs them: the skin's FunctionNames
(keys 1..54), the constant macros (31..38, whose names must match the
macro records in constMacro.dat) and the documentation of the virtual
mouse's firmware (what each device function does).

Keys 1..6 and 11..17 are functions the mouse carries out itself; the
comment after each gives the device function byte it is sent as.
Keys 7..10 name the four sub-menu groups of the button-function pop-up.
"""

# key: (English, Chinese)
FUNCTION_NAMES = {
    1: ("Left Click", "左键"),            # device function 1
    2: ("Middle Click", "中键"),          # device function 2
    3: ("Right Click", "右键"),           # device function 3
    4: ("Back", "后退"),                  # device function 4 (button 4)
    5: ("Forward", "前进"),               # device function 5 (button 5)
    6: ("DPI Cycle", "DPI循环"),          # device function 6: next enabled level, wraps
    7: ("Advanced", "高级功能"),
    8: ("Multimedia", "多媒体"),
    9: ("Macros", "宏"),                  # opens the user macros (codes 41..)
    10: ("Shortcuts", "快捷键"),          # opens the constant macros (codes 31..38)
    11: ("Rapid Fire", "连发"),           # device function 7: left clicks every fire time while held
    12: ("Double Click", "双击"),         # device function 8
    13: ("Triple Click", "三连击"),       # device function 9
    14: ("Report Rate", "回报率切换"),    # device function 10: next report rate, wraps
    15: ("DPI Up", "DPI+"),               # device function 11: next higher enabled level, stops at the top
    16: ("DPI Down", "DPI-"),             # device function 12: next lower enabled level, stops at the bottom
    17: ("LED On/Off", "灯光开关"),       # device function 13 (not offered by the menus)
    21: ("Home Page", "主页"),
    22: ("Media Player", "媒体播放器"),
    23: ("Email", "邮件"),
    24: ("Volume Up", "音量+"),
    25: ("Volume Down", "音量-"),
    26: ("Previous Track", "上一曲"),
    27: ("Next Track", "下一曲"),
    28: ("Mute", "静音"),
    29: ("Play/Pause", "播放/暂停"),
    30: ("Calculator", "计算器"),
    31: ("Copy", "复制"),
    32: ("Paste", "粘贴"),
    33: ("Cut", "剪切"),
    34: ("Undo", "撤销"),
    35: ("Select All", "全选"),
    36: ("Save", "保存"),
    37: ("Switch Window", "切换窗口"),
    38: ("Show Desktop", "显示桌面"),
    39: ("Calculator", "计算器"),
    40: ("Command Prompt", "命令提示符"),
}

# Codes 41..52 show the macro's own name; their entries are placeholders.
for _n in range(41, 55):
    FUNCTION_NAMES[_n] = (f"Macro {_n - 40}", f"宏{_n - 40}")

# The eight constant macros, in slot order (code 31 + slot).
CONSTANT_MACRO_NAMES = [FUNCTION_NAMES[31 + i] for i in range(8)]
