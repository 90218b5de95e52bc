#!/usr/bin/env python3
"""Fills the translations of en.ts (identity) and cn.ts (Simplified Chinese) after lupdate."""
import re
import sys
import xml.etree.ElementTree as ET

ZH = {
    # main window form
    'MainWindow': '主窗口',
    'Preset \n Sounds': '预置 \n 音色',
    'Pad \n Settings ': '打击垫 \n 设置 ',
    'Kit \n Chain': '套鼓 \n 链',
    'Rename': '重命名',
    'Kit Copy': '套鼓复制',
    'KIT NUMBER NO.': '套鼓编号',
    'Switch kit Number to the previous kit\nand save the current kit settings': '切换到上一个套鼓\n并保存当前套鼓设置',
    'Switch kit Number to the specified kit\nand save the current kit settings': '切换到指定的套鼓\n并保存当前套鼓设置',
    'Switch kit Number to the next kit\nand save the current kit settings': '切换到下一个套鼓\n并保存当前套鼓设置',
    'Clear All': '全部清除',
    'CLEAR': '清除',
    'Please import one or more INI files, or one BIN file.': '请导入一个或多个 INI 文件，或一个 BIN 文件。',
    'IMPORT': '导入',
    'Save as one or more INI files, or one BIN file.': '保存为一个或多个 INI 文件，或一个 BIN 文件。',
    'SAVE': '保存',
    '<html><head/><body><p>KIT CHAIN</p><p>FUNCTION</p></body></html>':
        '<html><head/><body><p>套鼓链</p><p>功能</p></body></html>',
    'ON': '开',
    'OFF': '关',
    'KIT CHAIN': '套鼓链',
    'Save KIT CHAIN': '保存套鼓链',
    'LOCAL SOUND CATEGORY': '本地音色分类',
    'Create A New Category': '新建分类',
    'NEW': '新建',
    'Add Sound Files': '添加音色文件',
    'ADD': '添加',
    'Delete Sound': '删除音色',
    'DEL ': '删除 ',
    'DEL': '删除',
    'MY KITS': '我的套鼓',
    'Up': '上移',
    'Down': '下移',
    'MY SOUND LIST': '我的音色列表',
    'LED Color:': 'LED 颜色：',
    'LED Hit Color:': 'LED 敲击颜色：',
    'Red': '红色',
    'Green': '绿色',
    'Blue': '蓝色',
    'Orange': '橙色',
    'LuOrange': '亮橙色',
    'Yellow': '黄色',
    'GreBlue': '青蓝色',
    'MayGreen': '嫩绿色',
    'LigGreen': '浅绿色',
    'LigBlue': '浅蓝色',
    'Cyan': '青色',
    'Purple': '紫色',
    'AntPink': '古粉色',
    'HtViolet': '艳紫色',
    'PrlViolet': '珠光紫',
    'White': '白色',
    'ColorFul': '彩色',
    'HH Open B': '踩镲开 B',
    'HH Open A': '踩镲开 A',
    'HH Close B': '踩镲闭 B',
    'HH Close A': '踩镲闭 A',
    'HH Pedal ': '踩镲踏板 ',
    'HH Layer4:': '踩镲力度层4：',
    'Pad No.:': '打击垫号：',
    'Switch pad number to specified pad\nand save the current pad settings': '切换到指定的打击垫\n并保存当前打击垫设置',
    'MIDI NOTE#:': 'MIDI 音符号：',
    'MIDI Channel:': 'MIDI 通道：',
    'Global CH': '全局通道',
    'MIDI GATE:': 'MIDI 门限时间：',
    'Ext CTRL:': '外部控制：',
    'PAD Output:': '打击垫输出：',
    'Mute Group:': '静音组：',
    'Tempo Sync:': '速度同步：',
    'Poly/Mono:': '复音/单音：',
    'Poly': '复音',
    'Mono': '单音',
    'Dynamic:': '力度响应：',
    'Type:': '类型：',
    'Wave A Only': '仅音色 A',
    'Wave B Only': '仅音色 B',
    'Simultaneously': '同时发声',
    'Switch': '切换',
    'Round Robin': '轮流发声',
    'Loop:': '循环：',
    'Infinite': '无限',
    'Trig Type:': '触发类型：',
    'Shot': '单次',
    'Alt': '交替',
    'Threshold:': '阈值：',
    'Center': '居中',
    'Original order': '原始顺序',
    'Kit Order': '套鼓顺序',
    'cus': '自定义',
    'Import Sound List': '导入音色列表',
    'IMP SL': '导入列表',
    'Export Sound List': '导出音色列表',
    'EXP SL': '导出列表',
    'Kit No.:': '套鼓号：',
    'Kit Name:': '套鼓名称：',
    'Kit Volume:': '套鼓音量：',
    'Kit Click:': '套鼓速度：',
    'Link group:': '联动组：',
    'Master Effect:': '主效果：',
    'THRU': '直通',
    'ECHO': '回声',
    'ECHO-PITCH': '回声-变调',
    'PITCH SHIFT': '移调',
    'PING PONG': '乒乓延迟',
    'REV1': '混响1',
    'REV2': '混响2',
    'REV3': '混响3',
    'LARGE PLATE': '大板混响',
    'SMALL PLATE': '小板混响',
    'TIGHT PLATE': '紧凑板混响',
    'GATED': '门限混响',
    'PA VOCAL': '扩声人声',
    'CHORUS': '合唱',
    'FLANGER': '镶边',
    'REV-TREMOLO': '混响-颤音',
    'REV-FLANGE': '混响-镶边',
    'REV-CHORUS': '混响-合唱',
    'REV-KEY': '混响-键控',
    'DANCE-P-L': '舞曲-P-L',
    'DANCE-H-L': '舞曲-H-L',
    'DANCE-FLA-L': '舞曲-FLA-L',
    'RMS SOFT KNEE': 'RMS 软拐点压缩',
    'ACT XOVER': '有源分频',
    'REV_TREMELO': '混响_颤音',
    'REV_FLANGE': '混响_镶边',
    'REV_CHORUS': '混响_合唱',
    'SAMPLE': '样本',
    'Version:': '版本：',
    'Version': '版本',
    'BackUp Identifier:': '备份标识：',
    'BACKUP': '备份',
    'Editing Effect:': '编辑效果：',
    'Effect OFF:': '效果关闭：',
    'Effect No:': '效果编号：',
    'Effect Ctrl1:': '效果控制1：',
    'Effect Crtl2:': '效果控制2：',
    'Effect Crtl3:': '效果控制3：',
    'Audio:': '音频：',
    'Audio in volume:': '音频输入音量：',
    'BT Audio volume:': '蓝牙音频音量：',
    'Systan Gain:': '系统增益：',
    'Audio Output:': '音频输出：',
    'MIDI:': 'MIDI 设置：',
    'Global CH:': '全局通道：',
    'EXT CTRL:': '外部控制：',
    'MIDI SYNC:': 'MIDI 同步：',
    'SOFT THRU:': '软直通：',
    'PC SW:': '音色切换(PC)：',
    'CC SW:': '控制切换(CC)：',
    'FX Ctrl1 CC:': '效果控制1 CC：',
    'FX Ctrl2 CC:': '效果控制2 CC：',
    'Sensivity:': '灵敏度：',
    'Curve:': '曲线：',
    'linear': '线性',
    'Mask Time:': '屏蔽时间：',
    'Retrig Level:': '重触发电平：',
    'Anti-cross:': '防串扰：',
    'Rim Gain(Threshold):': '鼓边增益(阈值)：',
    'Dynamic Range:': '动态范围：',
    'LCD/LED:': 'LCD/LED 设置：',
    'LCD Contrast:': 'LCD 对比度：',
    'LED Type:': 'LED 类型：',
    'Type1': '类型1',
    'Type2': '类型2',
    'LED LOGO:': 'LED 标志：',
    'Tempo Indicate:': '速度指示：',
    'Rec Level:': '录音电平：',
    'Auto State:': '自动状态：',
    'Loop Click:': '循环节拍器：',
    'Loop Qtz:': '循环量化：',
    'Loop Meas:': '循环小节：',
    'Loop Meas Index:': '循环小节序号：',
    'Rec Pad:': '录音打击垫：',
    'Click Sound No.:': '节拍器音色号：',
    'Click Sound Name:': '节拍器音色名：',
    'beat:': '拍数：',
    'Click Pan:': '节拍器声像：',
    'Click Volume:': '节拍器音量：',
    'Click Output:': '节拍器输出：',
    'File': '文件',
    'Edit': '编辑',
    'Manual': '手册',
    'Sound Kit Interface': '音色套鼓界面',
    'Back to Main Interface': '返回主界面',
    'About Korvanta': '关于 Korvanta',
    'Export sound library': '导出音色库',
    'Import sound library': '导入音色库',
    'Global Setting Interface': '全局设置界面',
    'Renumber': '重新编号',
    # texts set by the code
    'Device Unconnect(Default)': '设备未连接(默认)',
    'Error': '错误',
    'Warning': '警告',
    'Information': '提示',
    'Confirm': '确认',
    '*Note*': '*注意*',
    'The current disk is not the sampler pad.': '当前磁盘不是采样打击垫。',
    'Name': '名称',
    'Failed to create temporary directory!': '创建临时目录失败！',
    'ASC': '升序',
    'DESC': '降序',
    'Ascending Order': '升序排列',
    'Descending Order': '降序排列',
    'KIT': '套鼓',
    'DEFAULT': '默认',
    'KIT CHIAN ': '套鼓链 ',
    'FUNCTION': '功能',
    'Sound Kit Setting': '音色套鼓设置',
    'HH Setting': '踩镲设置',
    'Pad Setting': '打击垫设置',
    'Metronome Setting:': '节拍器设置：',
    'Metronome Sound List:': '节拍器音色列表：',
    'Import click sound': '导入节拍器音色',
    'Delete click sound': '删除节拍器音色',
    'Export Global': '导出全局设置',
    'Pad Copy ': '打击垫复制 ',
    'Clear Assignments': '清除分配',
    'Quit?': '退出？',
    # dialogs
    'Dialog': '对话框',
    'Form': '窗体',
    'Kit': '套鼓',
    'to Kit': '到套鼓',
    'Pad': '打击垫',
    'to Pad': '到打击垫',
    'OK': '确定',
    'Ok': '确定',
    'Cancel': '取消',
    'Pad Copy': '打击垫复制',
    'Select Disk': '选择磁盘',
    # kit selection dialog
    'Save File': '保存文件',
    'Hint: The import mode of the device is overwrite mode! Please select the kits that need to be replaced!':
        '提示：设备的导入方式为覆盖模式！请选择需要替换的套鼓！',
    '1) Click the Select All button and select the checkbox for all kits.': '1) 点击“全选”按钮，勾选所有套鼓的复选框。',
    '2) Click the Deselect All button and set all kits checkbox to deselected state':
        '2) 点击“全不选”按钮，将所有套鼓的复选框设为未选中状态，',
    'and Check the checkbox for the kits that need to be replaced.': '然后勾选需要替换的套鼓的复选框。',
    '3) If no kits are selected and  click Cancel button or click Ok button to generate a file,':
        '3) 如果未选择任何套鼓就点击“取消”或“确定”按钮生成文件，',
    'it will prompt file generation failure': '将提示文件生成失败',
    'Kit No.': '套鼓号',
    'Select All': '全选',
    'Deselect All': '全不选',
    'Select': '选择',
    # converter
    'ffmpeg made no progress for too long and was stopped.': '转换程序长时间没有进展，已被停止。',
    'The drive of this file does not answer, so the sound is not taken:': '此文件所在的驱动器没有响应，因此未取用该声音：',
    # exports and backups
    'The folder stopped answering while this file was being put in place under its name:':
        '将此文件放到其名称下时，文件夹停止了响应：',
    'It may or may not be there now. A file that had this name before is either still the old one, whole, or the new one, whole. Please look in the folder.':
        '该文件现在可能已在此名称下，也可能不在。此前使用此名称的文件要么仍是完整的旧文件，要么已完整地换成新文件。请到该文件夹中查看。',
    "The global settings and kit chains of this backup cannot be put back: its global.ini is missing or cannot be read, or its layout is not the one the sampler pad's global.ini has. They stay as they are now.":
        '无法恢复此备份的全局设置和套鼓链：其 global.ini 缺失或无法读取，或其格式与采样打击垫的 global.ini 不同。它们保持现在的样子。',
    'Sound %1: %2 holds other bytes than the file deleted; it stays on the sampler pad.':
        '音色 %1：%2 的内容与被删除的文件不同，已保留在采样打击垫上。',
}

# Undo and redo: the History menu, the steps' names and why a step is refused.
ZH.update({
    'History': '历史',
    'Undo': '撤销',
    'Redo': '重做',
    'Undo %1': '撤销 %1',
    'Redo %1': '重做 %1',
    '"%1" cannot be undone:': '无法撤销“%1”：',
    '"%1" cannot be redone:': '无法重做“%1”：',
    'The sound %1 is gone.': '音色 %1 已不存在。',
    'The drive of the sound %1 does not answer.': '音色 %1 所在的驱动器没有响应。',
    'The sound list changed since (a save or the pad): this step can no longer be undone.':
        '音色列表此后已被更改（保存或打击垫）：这一步无法再撤销。',
    'The sound groups changed since (a save): this step can no longer be undone.':
        '音色分组此后已被更改（保存）：这一步无法再撤销。',
    'The metronome sounds changed since: this step can no longer be undone.': '节拍器音色此后已被更改：这一步无法再撤销。',
    'The loaded kit files changed since (a save): this step can no longer be undone.':
        '已载入的套鼓文件此后已被更改（保存）：这一步无法再撤销。',
    'kit chain %1 ON': '套鼓链 %1 开',
    'kit chains OFF': '套鼓链关',
    'kit chains': '套鼓链',
    'steps of kit chain %1 cleared': '清除套鼓链 %1 的步骤',
    'step %1 of kit chain %2': '套鼓链 %2 的第 %1 步',
    'name of kit %1': '套鼓 %1 的名称',
    'kit names': '套鼓名称',
    'sound on pad %1 of kit %2': '套鼓 %2 打击垫 %1 的音色',
    'hi-hat sound %1 of kit %2': '套鼓 %2 的踩镲音色 %1',
    'CLEAR of kit %1': '清除套鼓 %1',
    'Clear of pad %1 of kit %2': '清除套鼓 %2 的打击垫 %1',
    'hi-hat sounds of kit %1 cleared': '清除套鼓 %1 的踩镲音色',
    'Kit Copy of kit %1 to kit %2': '套鼓复制：套鼓 %1 到套鼓 %2',
    'Pad Copy of pad %1 to pad %2 of kit %3': '打击垫复制：套鼓 %3 的打击垫 %1 到打击垫 %2',
    'move of kit %1 to kit %2': '套鼓 %1 移到套鼓 %2',
    'move of kit %1': '移动套鼓 %1',
    'settings of kit %1': '套鼓 %1 的设置',
    'settings of pad %1 of kit %2': '套鼓 %2 打击垫 %1 的设置',
    'pad links of kit %1': '套鼓 %1 的打击垫联动',
    'effect of kit %1': '套鼓 %1 的效果',
    'name of sound %1': '音色 %1 的名称',
    'global settings': '全局设置',
    'sounds added to the list': '添加到列表的音色',
    'sound %1 added to the list': '添加到列表的音色 %1',
    'metronome sounds added': '添加的节拍器音色',
    'DEL of a metronome sound': '删除节拍器音色',
    'order of the sound list': '音色列表的排序',
    'new group %1': '新建分组 %1',
    'sounds added to group %1': '添加到分组 %1 的音色',
    'name of group %1': '分组 %1 的名称',
    'DEL in the sound groups': '在音色分组中删除',
    'DEL of %1 sounds': '删除 %1 个音色',
    'DEL of sound %1': '删除音色 %1',
    'The sampler pad could not be backed up into %1: %2.': '无法将采样打击垫备份到 %1：%2。',
    'The pad is used all the same.': '打击垫仍照常使用。',
    'Kit %1, pad %2 %3': '套鼓 %1，打击垫 %2 %3',
    'Kit %1, hi-hat slot %2': '套鼓 %1，踩镲槽 %2',
    '%1: %2 (sound %3)': '%1：%2（音色 %3）',
    'These sounds of the backup are no longer on the sampler pad; their slots are left empty:':
        '备份中的这些音色已不在采样打击垫上，其位置留空：',
    '%1: kits differing from now: %2': '%1：与现在不同的套鼓：%2',
    '%1: cannot be read': '%1：无法读取',
    'There is no backup of this sampler pad in %1 yet.': '%1 中还没有这台采样打击垫的备份。',
    'Restore the pad from a backup': '从备份恢复打击垫',
    'Restore the pad from a backup…': '从备份恢复打击垫…',
    'Backups of this sampler pad, newest first:': '这台采样打击垫的备份（最新的在前）：',
    'The backup cannot be restored:': '无法恢复该备份：',
    'restore of the pad from the backup of %1': '从 %1 的备份恢复打击垫',
    'The folder %1 cannot be made': '无法创建文件夹 %1',
    'the backup cannot take its name': '备份无法使用其名称',
    'The backup holds no kits.': '该备份中没有套鼓。',
    "the pad's file %1 cannot be kept under its name": '打击垫的文件 %1 无法以其名称保存',
    'Keeping a backup of the sampler pad…': '正在备份打击垫…',
    'Reading the backups of the sampler pad…': '正在读取打击垫的备份…',
    'The archive %1 is damaged or cannot be read.': '压缩包 %1 已损坏或无法读取。',
})

import os
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from extra_zh import EXTRA  # noqa: E402
for _k, _v in EXTRA.items():
    ZH.setdefault(_k, _v)

# hardware labels printed on the pad stay as they are
KEEP = re.compile(r'^(PAD\d|TRIG\d|Trig\d|FS\d|Space)$')


def zh(text):
    if text in ZH:
        return ZH[text]
    m = re.match(r'^HiHat-Control-(.*)$', text)
    if m:
        return '踩镲控制-' + m.group(1)
    m = re.match(r'^Velocity(\d):$', text)
    if m:
        return '力度%s：' % m.group(1)
    m = re.match(r'^WAVE ([AB]) (Name|Volume|PAN|Pitch|Decay):$', text)
    if m:
        part = {'Name': '名称', 'Volume': '音量', 'PAN': '声像', 'Pitch': '音高', 'Decay': '衰减'}[m.group(2)]
        return '音色 %s %s：' % (m.group(1), part)
    m = re.match(r'^([LR])(\d+)$', text)
    if m:
        return ('左' if m.group(1) == 'L' else '右') + m.group(2)
    m = re.match(r'^Kit Effect(\d):$', text)
    if m:
        return '套鼓效果%s：' % m.group(1)
    m = re.match(r'^Effect(\d) No\.:$', text)
    if m:
        return '效果%s编号：' % m.group(1)
    m = re.match(r'^Effect(\d) Ctrl(\d):$', text)
    if m:
        return '效果%s控制%s：' % (m.group(1), m.group(2))
    if KEEP.match(text) or not re.search('[A-Za-z]', text):
        return text
    return None


def fill(path, lang):
    tree = ET.parse(path)
    missing = []
    for ctx in tree.getroot().iter('context'):
        for msg in ctx.iter('message'):
            src = msg.find('source').text or ''
            tr = msg.find('translation')
            if tr is None:
                tr = ET.SubElement(msg, 'translation')
            if tr.get('type') == 'obsolete' or tr.get('type') == 'vanished':
                continue
            comment = msg.find('comment')
            # a text told apart by its comment is looked up as "comment|text" first
            value = src if lang == 'en' else ((comment is not None and ZH.get(comment.text + '|' + src)) or zh(src))
            if value is None:
                missing.append((ctx.find('name').text, src))
                continue
            if msg.get('numerus') == 'yes':
                # one form per plural of the language, as lupdate laid them out
                forms = tr.findall('numerusform') or [ET.SubElement(tr, 'numerusform')]
                for form in forms:
                    form.text = value
                tr.text = None
            else:
                tr.text = value
            if 'type' in tr.attrib:
                del tr.attrib['type']
    write(tree, path)
    return missing


def write(tree, path):
    body = ET.tostring(tree.getroot(), encoding='unicode')
    with open(path, 'w', encoding='utf-8') as f:
        f.write('<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n')
        f.write(body)
        f.write('\n')


if __name__ == '__main__':
    for path in sys.argv[1:]:
        lang = 'en' if path.endswith('en.ts') else 'cn'
        missing = fill(path, lang)
        for ctx, src in missing:
            print('untranslated %s: %r' % (ctx, src))
