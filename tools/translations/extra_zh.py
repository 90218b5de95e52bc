# Texts the code shows (message boxes, captions set at run time), pre-translated.
EXTRA = {
    # Export Sound: files already at the sounds' names
    '%1 (read-only)': '%1（只读）',
    'These files are already in the folder and will be replaced:': '文件夹中已有以下文件，将被替换：',
    'Do you confirm to overwrite them?': '确认要覆盖这些文件吗？',
    'All files (*)': '所有文件 (*)',
    # a kit-file import: a global settings file left, a pick passed over for another of its kit
    'The global settings file was not applied, as no kit file was imported:': '未导入任何套鼓文件，因此未应用全局设置文件：',
    'Another file picked for the same kit was imported in its place.': '已改为导入为同一套鼓选择的另一个文件。',
    # a global settings file that cannot be read, or two picked at once
    'The global settings file is not applied.': '未应用该全局设置文件。',
    'Only one global settings file can be selected.': '只能选择一个全局设置文件。',
    'It is not a regular file.': '它不是普通文件。',
    'Adding the sound of a sampler pad is not supported. File location: ': '不支持添加采样打击垫中的音色。文件位置：',
    'Are you sure to continue?': '确定要继续吗？',
    'Are you sure to delete it?': '确定要删除吗？',
    'Bin file(*.BIN)': 'Bin 文件(*.BIN)',
    'Choose a category to add sounds.': '请选择要添加音色的分类。',
    'Choose no file!': '未选择文件！',
    'Chorus Mix:': '合唱混合：',
    'Chorus Rate:': '合唱速率：',
    # the steps undo and redo name, and why one can no longer be undone
    'DEL of %n sounds': '删除 %n 个音色',
    # the sound information line, a box's kit and its pad, error codes
    'sound channels|Mono': '单声道',
    'sound channels|Stereo': '立体声',
    'Kit %1 %2: ': '套鼓 %1 %2：',
    'Kit %1: %2': '套鼓 %1：%2',
    'Error:0011': '错误：0011',
    'Sample': '样本',
    'Effect%1 Ctrl%2:': '效果%1控制%2：',
    'Pre-delay:': '预延迟：',
    # sound names another sound held, given a number
    'These names were held by other sounds and were given a number:': '以下名称已被其他音色使用，已在名称后加上编号：',
    'These sounds of the kit file %1 bore names other sounds hold and were given a number:':
        '套鼓文件 %1 中的以下音色与其他音色同名，已在名称后加上编号：',
    'These sounds of the sampler pad had the name of another of its sounds and were given a number:':
        '采样打击垫中的以下音色与其另一个音色同名，已在名称后加上编号：',
    'Conversion failed': '转换失败',
    'Complete': '完成',
    'Copy completed.': '复制完成。',
    'Create a new category': '新建分类',
    'Creating duplicate group name is not supported.': '不支持创建重复的分组名称。',
    # the sound-list file: what the start found, the write at a save or the close
    'The sound groups file "%1" could not be read whole: %2.': '音色分组文件“%1”无法完整读取：%2。',
    'Some entries of "%1" could not be read and are not in the sound groups.':
        '“%1”中的部分条目无法读取，未列入音色分组。',
    'The file as it was is kept as "%1".': '该文件已按原样保留为“%1”。',
    'It could not be kept beside it (%1), so the sound groups are not saved over it.':
        '无法在其旁边保留该文件（%1），因此音色分组不会保存覆盖它。',
    "it is cut off or not in the sound list's form": '文件不完整或不是音色列表的格式',
    'it is not a regular file': '它不是普通文件',
    'it is too large': '文件过大',
    'it is a link to no regular file': '它是一个未指向普通文件的链接',
    'it is a link that no longer names the file read at the start': '它是一个链接，已不再指向启动时读取的文件',
    'The sound groups in "%1" are in use by another editor. Changes to the groups in this window are kept for this session only.':
        '“%1”中的音色分组正被另一个编辑器使用。此窗口中对分组的更改仅在本次运行中保留。',
    'The sound groups in "%1" are in use by another editor: the changes to the groups in this window are not saved.':
        '“%1”中的音色分组正被另一个编辑器使用：此窗口中对分组的更改不会保存。',
    'the sound groups are in use by another editor': '音色分组正被另一个编辑器使用',
    'These sounds of the sound groups are no longer in the kit files they name, which were written anew since; they are not taken for other sounds:':
        '音色分组中的以下音色已不在其所指的套鼓文件中（这些文件之后已被重新写入）；它们不会被当作其他音色：',
    'The sound groups are saved to "%1".': '音色分组保存在“%1”中。',
    'Do you confirm to overwrite it?': '确定要覆盖吗？',
    'The sound groups could not be saved to "%1": %2.': '音色分组无法保存到“%1”：%2。',
    'The sound groups could not be saved to "%1": %2.\n\nQuit anyway? Choose No to keep the window open, free some space or make the file writable, and close the window again to save them.':
        '音色分组无法保存到“%1”：%2。\n\n仍要退出吗？选择“否”可保持窗口打开，释放一些空间或使该文件可写，然后再次关闭窗口以保存音色分组。',
    'Deleting group name is not supported.': '不支持删除分组名称。',
    'Deleting locked sound is not supported!': '不支持删除已锁定的音色！',
    'Deleting pkit file is not supported!': '不支持删除 pkit 文件！',
    'Deleting sound file......': '正在删除音色文件......',
    'Deleting sound group is not supported!': '不支持删除音色分组！',
    "Deleting the 'Default' group is not supported.": '不支持删除“Default”分组。',
    'Deleting the sound is not supported.': '不支持删除该音色。',
    'Disconnect the 350 device.': '请断开 350 设备。',
    'Echo Delay:': '回声延迟：',
    'Echo Mix:': '回声混合：',
    'Error in obtaining sound, the saving is failed.': '获取音色出错，保存失败。',
    "A pad's sound is not in the sound list, so the file is not saved:": '有打击垫的音色不在音色列表中，文件未保存：',
    'A sound cannot be converted, so the file is not saved:': '有音色无法转换，文件未保存：',
    'Used by Kit ': '使用该音色的套鼓：',
    'Error splitting the argument list': '拆分参数列表出错',
    'Error splitting the argument list.': '拆分参数列表出错。',
    "Except for the option 'OFF', the link1 parameter must not be the same as the link2 parameter.":
        '除“OFF”选项外，联动1参数不能与联动2参数相同。',
    "Except for the option 'OFF', the link2 parameter must not be the same as the link1 parameter.":
        '除“OFF”选项外，联动2参数不能与联动1参数相同。',
    'Export Sound': '导出音色',
    'Exporting locked sound is not supported!': '不支持导出已锁定的音色！',
    'Fade': '渐变',
    'Fail to open file!': '打开文件失败！',
    'Fail to read file, import failed.': '读取文件失败，导入失败。',
    'Fail to read kit file, import failed.': '读取套鼓文件失败，导入失败。',
    'Failed to create the folder.': '创建文件夹失败。',
    'Failed to generate file.': '生成文件失败。',
    'Failed to map view of file.': '映射文件视图失败。',
    'Failed to open file.': '打开文件失败。',
    'Failed to query value.': '查询数值失败。',
    'Failed to read the file.': '读取文件失败。',
    'Failed to save file.': '保存文件失败。',
    'Failed to write sound data!': '写入音色数据失败！',
    'Failed to write the file': '写入文件失败',
    'These files could not be written:': '以下文件无法写入：',
    'The file cannot be read:': '无法读取该文件：',
    'The converted sound could not be written:': '转换后的音色无法写入：',
    'The sounds still in use could not be kept in this folder:': '仍在使用的音色无法保存到此文件夹：',
    'The file could not be written:': '无法写入该文件：',
    'The file is read-only.': '该文件为只读。',
    'File Location: ': '文件位置：',
    'File Location:': '文件位置：',
    'File location: ': '文件位置：',
    'File location:': '文件位置：',
    'File data error!': '文件数据错误！',
    'File error!': '文件错误！',
    'File error:': '文件错误：',
    'File is being generated...': '正在生成文件...',
    'File not found:': '未找到文件：',
    'Flange Delay:': '镶边延迟：',
    'Flange Mix:': '镶边混合：',
    'Flange Rate:': '镶边速率：',
    'Folder Location: ': '文件夹位置：',
    "Group name can't be blank!": '分组名称不能为空！',
    'HF Filter:': '高频滤波：',
    'HP Filter:': '高通滤波：',
    'Index': '序号',
    'ini files(*.ini *.INI)': 'INI 文件(*.ini *.INI)',
    'LF Filter:': '低频滤波：',
    'LP Filter:': '低通滤波：',
    'HH Pedal': '踩镲踏板',
    "If you want to delete a sound, please find it in the right list and press 'OK' to confirm.":
        '如需删除音色，请在右侧列表中找到它，然后按“确定”确认。',
    'Import failed.': '导入失败。',
    'Importing a new file will delete the corresponding loaded file.': '导入新文件将删除对应的已加载文件。',
    'Importing sound file...': '正在导入音色文件...',
    'In USB device mode, import files are not supported.': 'USB 设备模式下不支持导入文件。',
    'In USB device mode, the sound lock function is not supported': 'USB 设备模式下不支持音色锁定功能',
    'In USB device mode, the sound unlock function is not supported': 'USB 设备模式下不支持音色解锁功能',
    'Invalid Value': '无效数值',
    'Invalid argument': '无效参数',
    'Invalid argument.': '无效参数。',
    'Invalid data file!': '无效的数据文件！',
    'Invalid data found when processing input': '处理输入时发现无效数据',
    'Invalid data found when processing input.': '处理输入时发现无效数据。',
    'It is detected that the number of files with the same name has exceeded 100, and the exceeding part will not be exported.':
        '检测到同名文件已超过 100 个，超出部分将不会导出。',
    'Kit List': '套鼓列表',
    'waveList': '音色列表',
    'Lossless sound files': '无损音频文件',
    'Compressed sound files': '压缩音频文件',
    'Kit and global settings files': '套鼓与全局设置文件',
    'Whole-setup files': '整套设置文件',
    ' exists in the hi-hat slots of Kit ': ' 存在于以下套鼓的踩镲槽中：',
    ', and in the hi-hat slots of Kit ': '，以及以下套鼓的踩镲槽中：',
    'Please clear the sound in the hi-hat slots on the Pad Settings page.': '请在“打击垫设置”页面清除踩镲槽中的音色。',
    'This file cannot be imported: it cannot be opened.': '无法导入此文件：文件无法打开。',
    # a whole setup under another name, or picked with kit files
    'This whole setup cannot be imported under this name: the name of a whole setup must end in ".bin".':
        '无法以此名称导入此整套设置文件：整套设置文件的名称必须以“.bin”结尾。',
    'A whole setup is imported alone, not with other files: it is left out of this import.':
        '整套设置文件只能单独导入，不能与其他文件一起导入：本次导入不包含它。',
    'This file cannot be imported: it is no kit file, global settings file or whole setup.':
        '无法导入此文件：它不是套鼓文件、全局设置文件或整套设置文件。',
    "Kit name can't be blank!": '套鼓名称不能为空！',
    'Mix': '混合',
    'MY SOUND LIST can not be blank while performing an import operation.': '执行导入操作时“我的音色列表”不能为空。',
    'Metronome Sound Group': '节拍器音色组',
    'Metronome sounds were not found.': '未找到节拍器音色。',
    'Missing some files for the program!': '程序缺少部分文件！',
    'New Kit': '新套鼓',
    "New category name can't be blank.": '新分类名称不能为空。',
    'No file data is selected!': '未选择文件数据！',
    'Obtain click sound files': '获取节拍器音色文件',
    'Obtain sound file error.': '获取音色文件出错。',
    'Only one binary file can be selected.': '只能选择一个二进制文件。',
    'Only supports creating 100 folders': '最多只支持创建 100 个文件夹',
    'Only supports importing up to 5 metronome sounds.': '最多只支持导入 5 个节拍器音色。',
    'Open Error': '打开错误',
    'Open error': '打开错误',
    'Open error.': '打开错误。',
    'Open file error.': '打开文件出错。',
    'Open sound file error.': '打开音色文件出错。',
    'Option not found': '未找到选项',
    'Option not found.': '未找到选项。',
    'Output': '输出',
    'Output to specified directory': '输出到指定目录',
    'Pitch Shift:': '移调：',
    'Play error!': '播放错误！',
    'Please check path:': '请检查路径：',
    'Please clear the sound on the pad.': '请清除打击垫上的音色。',
    'Please enter name for the category.': '请输入分类名称。',
    'Please import file which is generated by Korvanta.': '请导入由 Korvanta 生成的文件。',
    'Please stop playing the music before importing or saving the file.': '导入或保存文件前请先停止播放。',
    'Please switch to the global configuration interface and import 5 metronome sounds.':
        '请切换到全局设置界面并导入 5 个节拍器音色。',
    'Please wait...': '请稍候...',
    'Read wave prm file failed, import failed.': '读取音色参数文件失败，导入失败。',
    'Reverb Mix:': '混响混合：',
    'Reverb Size:': '混响大小：',
    'Reverb Time:': '混响时间：',
    'Saving file...': '正在保存文件...',
    'Select file to add': '选择要添加的文件',
    'Select file.': '选择文件。',
    'Select one or more files to open, please note only one binary file can be selected.':
        '请选择一个或多个要打开的文件，注意只能选择一个二进制文件。',
    'Select the wave sort txt file.': '选择音色排序 txt 文件。',
    'Some files already exist. Do you want to add duplicate files?': '部分文件已存在。是否添加重复文件？',
    "Some files already exist. Don't support to add duplicate files!": '部分文件已存在。不支持添加重复文件！',
    'Sound Files(*.wav *.ape *.flac);;Sound Files(*.mp3 *.wma *.aac *.aa3 *.ac3 *.ogg)':
        '音频文件(*.wav *.ape *.flac);;音频文件(*.mp3 *.wma *.aac *.aa3 *.ac3 *.ogg)',
    'Sound Files(*.wav *.ape *.flac);;Sound Files(*.mp3 *.wma *.aac *.aa3 *.ogg);':
        '音频文件(*.wav *.ape *.flac);;音频文件(*.mp3 *.wma *.aac *.aa3 *.ogg);',
    'Sound data format error, import failed.': '音色数据格式错误，导入失败。',
    'Sound list can not be blank while performing an export operation.': '执行导出操作时音色列表不能为空。',
    "Sound name can't be blank!": '音色名称不能为空！',
    'successfully saved.': '保存成功。',
    'Text files(*.INI);; Bin file(*.BIN)': '文本文件(*.INI);; Bin 文件(*.BIN)',
    'The 350 device was disconnected.': '350 设备已断开连接。',
    'The category already exists, please recreate a new category.': '该分类已存在，请重新创建新分类。',
    'The default browser failed to open it.': '默认浏览器无法打开。',
    'The export of sound group name is not supported, ': '不支持导出音色分组名称，',
    'The file already exists. Do you confirm to overwrite it?': '文件已存在。确定要覆盖吗？',
    'The file has been generated:': '文件已生成：',
    'The file has been modified. Export failed.': '文件已被修改，导出失败。',
    'The file has been modified. The target sound was not found.': '文件已被修改，未找到目标音色。',
    'The file is being exported...': '正在导出文件...',
    'The file is being generated...': '正在生成文件...',
    'The file size exceeds 4GB, import failed. ': '文件大小超过 4GB，导入失败。',
    'The file size exceeds 4GB, import failed.': '文件大小超过 4GB，导入失败。',
    'The file size exceeds 4GB, save failed.': '文件大小超过 4GB，保存失败。',
    'The files are loading...': '正在加载文件...',
    'The format of forder is error.': '文件夹格式错误。',
    'The imported kit file version is outdated. Please import new version file.': '导入的套鼓文件版本过旧，请导入新版本文件。',
    'The kit name must begin and end with an alphanumeric character and can be interspersed with an alphanumeric character, a space, and the following symbols:':
        '套鼓名称必须以字母或数字开头和结尾，中间可包含字母、数字、空格及以下符号：',
    'The kit number can not be blank.': '套鼓号不能为空。',
    "The list capacity is 5. Please import metronome sounds  up to the maximum capacity based on the list's limit.":
        '列表容量为 5。请按列表上限导入节拍器音色。',
    'The list is full. Please delete some metronome sounds before importing more.': '列表已满。请先删除部分节拍器音色再导入。',
    "The maximum number of kit name's character can't exceed 10!": '套鼓名称最多不能超过 10 个字符！',
    "The maximum number of sound name's character can't exceed 16!": '音色名称最多不能超过 16 个字符！',
    'The number of Click sound must be 5.': '节拍器音色数量必须为 5 个。',
    'The number of sound can not exceed 9999.': '音色数量不能超过 9999 个。',
    'The number of waves in the imported file is not equal to sound list. Import failed!': '导入文件中的音色数量与音色列表不一致，导入失败！',
    'The output file is not set.': '未设置输出文件。',
    'The output file path is not set.': '未设置输出文件路径。',
    'The range of kit number is 1~100.': '套鼓号范围为 1~100。',
    'The selected sound category is not valid.': '所选音色分类无效。',
    'The sound length is less than 4KB and does not support import.': '音色长度小于 4KB，不支持导入。',
    'The sound name must begin and end with an alphanumeric character and can be interspersed with an alphanumeric character, a space, and the following symbols:':
        '音色名称必须以字母或数字开头和结尾，中间可包含字母、数字、空格及以下符号：',
    'The sound of number ': '编号为 ',
    'The sounds  of the sampler pad have been cleared. Entering online mode is prohibited': '采样打击垫的音色已被清除，禁止进入联机模式',
    'The target file was not found.': '未找到目标文件。',
    'There is an error with the sound file path for Kit ': '套鼓的音色文件路径有误：套鼓 ',
    'There is an error with the sound file path for Kit. ': '套鼓的音色文件路径有误。',
    'These sounds could not be written to the sampler pad and were not added:': '以下音色无法写入采样打击垫，未被添加：',
    # sound names made fit for a kit file on their way in
    'These sound names were changed to names the sampler pad can hold:': '以下音色名称已改为采样打击垫可保存的名称：',
    'These sound names stored in the kit file %1 were changed to names the sampler pad can hold:':
        '套鼓文件 %1 中保存的以下音色名称已改为采样打击垫可保存的名称：',
    'and %1 more': '另有 %1 个',
    'This sound is not in wave format': '该音色不是 WAV 格式',
    'This sound is not in wave format.': '该音色不是 WAV 格式。',
    'Tremolo Mix:': '颤音混合：',
    'Tremolo Rate:': '颤音速率：',
    'Unable to find sound information in the sound list. Import failed!': '在音色列表中找不到音色信息，导入失败！',
    'Value must be between 0 and 511.': '数值必须在 0 到 511 之间。',
    'Wave prm file is error.': '音色参数文件错误。',
    'When using the online mode of Korvanta again,': '再次使用 Korvanta 联机模式时，',
    'Wrong data in file：': '文件中的数据有误：',
    'Damping:': '阻尼：',
    'Decay:': '衰减：',
    'Delay:': '延迟：',
    'Depth:': '深度：',
    'Diffusion:': '扩散：',
    'Feedback:': '反馈：',
    'Filter:': '滤波：',
    'Rate:': '速率：',
    'Repeat:': '重复：',
    'Width:': '宽度：',
    ' and ': ' 和 ',
    'and ': '和 ',
    'The ': '第 ',
    ' does not exist.': ' 不存在。',
    ' exists in Kit ': ' 存在于套鼓 ',
    ' in the wave list is incorrect.': ' 在音色列表中不正确。',
    ' open error.': ' 打开出错。',
    'are automatically renamed, as they exceed 10 characters or contain special symbol.':
        '已自动重命名，因为名称超过 10 个字符或包含特殊符号。',
    'is automatically renamed, as it exceeds 10 characters or contains special symbol.':
        '已自动重命名，因为名称超过 10 个字符或包含特殊符号。',
    'is successfully exported.': '已成功导出。',
    'item are automatically renamed, as they exceed 16 characters or end with special symbol.':
        '项已自动重命名，因为名称超过 16 个字符或以特殊符号结尾。',
    'item is automatically renamed, as it exceeds 16 characters or ends with special symbol.':
        '项已自动重命名，因为名称超过 16 个字符或以特殊符号结尾。',
    'Kit ': '套鼓 ',
    ' is stored more than once on the sampler pad.': ' 在采样打击垫中被存储了多次。',
    'The sounds on the sampler pad could not be renumbered; they keep their numbers.':
        '无法对采样打击垫中的音色重新编号；它们保留原来的编号。',
    'reconnect the USB cable.': '请重新连接 USB 数据线。',
    'The sampler pad could not be ejected. Eject it in the system before you unplug it.':
        '无法弹出采样打击垫。请先在系统中弹出，再拔下设备。',
    'was not saved to the sampler pad.': '未能保存到采样打击垫。',
    'were not saved to the sampler pad.': '未能保存到采样打击垫。',
    'Tip': '提示',
    'Waring': '警告',
    'Item': '序号',
    'Index': '序号',
    'Layer': '层',
    'Loading...': '正在加载...',
    'sound exists in Kit ': '音色存在于套鼓 ',
    'The old file could not be replaced:': '旧文件无法被替换：',
    'The file was written, but the disk did not confirm that it is stored:': '文件已写入，但磁盘未确认已保存：',
    'The files were written, but the disk did not confirm that they are stored:': '文件已写入，但磁盘未确认这些文件已保存：',
    'The new file is kept as:': '新文件保存为：',
    'The target is not a regular file (a folder, pipe or device), so nothing is saved:':
        '目标不是普通文件（文件夹、管道或设备），未保存任何内容：',
    'The written file does not read back as a kit file, so it is not saved:': '写入的文件无法作为套鼓文件读回，文件未保存：',
    # sound library: delete, export, kit order list; the import tip
    'Delete': '删除',
    'but this will not affect the sound export.': '但这不影响音色的导出。',
    'Error:0012': '错误：0012',
    'successfully exported.': '导出成功。',
    'Unassign': '未分配',
    'Yes': '是',
    'No': '否',
    # the pad: links left out, the window kept open when the pad is gone
    'These entries of the sampler pad are links and were left out; the editor reads nothing and writes nothing through them:':
        '采样打击垫上的以下项目是链接，已被忽略；编辑器不会通过它们读取或写入任何内容：',
    ' (the change file replaces this link when the pad is written at close)':
        '（关闭时写入打击垫，变更文件将替换此链接）',
    # the pad's write-back: what was not saved and why
    'was not saved to the sampler pad: it changed on the pad since it was loaded.':
        '未能保存到采样打击垫：自加载以来它已在打击垫上被更改。',
    'were not saved to the sampler pad: they changed on the pad since it was loaded.':
        '未能保存到采样打击垫：自加载以来它们已在打击垫上被更改。',
    'was not saved to the sampler pad: its folder is a link or leads out of the sampler pad.':
        '未能保存到采样打击垫：其所在文件夹是链接或指向采样打击垫之外。',
    'were not saved to the sampler pad: their folder is a link or leads out of the sampler pad.':
        '未能保存到采样打击垫：它们所在的文件夹是链接或指向采样打击垫之外。',
    'The kit chains were not saved to the sampler pad: they changed on the pad since it was loaded.':
        '套鼓链未能保存到采样打击垫：自加载以来它们已在打击垫上被更改。',
    'The kit chains were not saved to the sampler pad: the folder of global.ini is a link or leads out of the sampler pad.':
        '套鼓链未能保存到采样打击垫：global.ini 所在的文件夹是链接或指向采样打击垫之外。',
    'The change file alter.ini was not saved: the sampler pad changed since it was loaded.':
        '变更文件 alter.ini 未能保存：自加载以来采样打击垫已被更换。',
    'The change file alter.ini was not saved: its folder is a link or leads out of the sampler pad.':
        '变更文件 alter.ini 未能保存：其所在文件夹是链接或指向采样打击垫之外。',
    # the pad: another pad found at the pad's place while editing
    'The sampler pad at the drive is not the one that was loaded: nothing was written to it or deleted from it. Korvanta goes on without the sampler pad and keeps your edits.':
        '该驱动器上的采样打击垫不是之前加载的那一个：未向其写入或从中删除任何内容。Korvanta 将在不连接采样打击垫的情况下继续运行，并保留您的所有编辑。',
    'Writing these files failed and their old bytes could not be put back; they may be damaged:':
        '写入以下文件失败，且无法恢复其原有内容；这些文件可能已损坏：',
    'Korvanta stays open without the 350 device and keeps your edits.': 'Korvanta 将保持打开（不连接 350 设备），并保留您的所有编辑。',
    # sound import: picked files that are not audio
    'Checking the sound files...': '正在检查音频文件...',
    'The following files are not readable audio and were not added:': '以下文件不是可读取的音频，未添加：',
    # saves: a sound's file is never replaced; keeping the sounds of a replaced file
    'A sound of the library, a group or the metronome comes from this file, so nothing is saved:':
        '音色库、分组或节拍器中有音色来自此文件，因此未保存任何内容：',
    'Keeping the sounds still in use...': '正在保留仍在使用的音色...',
    # the pad: which pad stands at its place, what stopped the writing, what was saved
    'It is another volume: its volume serial number or its USB serial number differs.':
        '它是另一个存储卷：其卷序列号或 USB 序列号不同。',
    'It has the volume serial number of the loaded pad, but its global.ini or its metronome folder differs.':
        '它的卷序列号与已加载的采样打击垫相同，但其 global.ini 或节拍器文件夹不同。',
    'It is a copy of the loaded pad with other kits: Kit ': '它是已加载采样打击垫的副本，但套鼓不同：套鼓 ',
    'differs.': '不同。',
    'differ.': '不同。',
    'The kit chains were saved before that.': '在此之前套鼓链已保存。',
    'was saved before that.': '在此之前已保存。',
    'were saved before that.': '在此之前已保存。',
    'The kit chains were not saved to the sampler pad.': '套鼓链未能保存到采样打击垫。',
    'The change file alter.ini was not saved.': '变更文件 alter.ini 未能保存。',
    'Korvanta stays open without the sampler pad and keeps your edits.':
        'Korvanta 将保持打开（不连接采样打击垫），并保留您的所有编辑。',
    'The sampler pad is read-only (write-protected).': '采样打击垫为只读（写保护）。',
    'its folder is a link or leads out of the sampler pad': '其所在文件夹是链接或指向采样打击垫之外',
    'These sounds were not deleted from the sampler pad and stay in the list:':
        '以下音色未能从采样打击垫删除，仍保留在列表中：',
    # kit saves: what was saved and what was not
    'No file was saved: the existing files stay as they were.': '未保存任何文件：已有文件保持原样。',
    'These kits are not saved:': '以下套鼓未保存：',
    'These kits are not saved, as their existing files were kept:': '以下套鼓未保存，因为已保留其现有文件：',
    'These files are saved:': '以下文件已保存：',
    'Kit %1 %2': '套鼓 %1 %2',
    'The owner %1 could not be kept: the file now belongs to %2.': '无法保留文件所有者 %1：文件现在属于 %2。',
    "The group %1 could not be kept: the file's group is now %2.": '无法保留文件所属组 %1：文件的组现在是 %2。',
    'The attribute %1 could not be kept.': '无法保留文件属性 %1。',
    # the pad's sound pairs: put in order at the load, left out, renumbering and batches stopped
    'Sound %1: its files stay hidden, as other files stand at its place.':
        '音色 %1：其文件仍保持隐藏，因为其位置已被其他文件占用。',
    'Sound %1: its files could not be given their names.': '音色 %1：其文件无法恢复为原来的名称。',
    'The editor stopped before it had finished changing the sounds on the sampler pad; they are now put in order.':
        '编辑器在完成对采样打击垫音色的更改之前已停止；现已将其整理完毕。',
    'A renumbering cut short was undone: the sounds keep their numbers.': '已撤销中断的重新编号：音色保持原有编号。',
    'These kits name the sounds by their new numbers: %1.': '以下套鼓现按新编号指向音色：%1。',
    'These kits name the sounds by the numbers they had: %1.': '以下套鼓按原有编号指向音色：%1。',
    'The editor stopped before it had finished changing the files on the sampler pad.':
        '编辑器在完成对采样打击垫文件的更改之前已停止。',
    'The editor stopped before it had finished saving to the sampler pad; the save is now put in order.':
        '编辑器在完成向采样打击垫的保存之前已停止；现已将该保存整理完毕。',
    'A renumbering cut short was undone as far as the files allow; these sounds were left out:':
        '已在文件允许的范围内撤销中断的重新编号；以下音色未被载入：',
    'These sounds were completed: %1.': '以下音色已补全：%1。',
    'The unfinished files of these sounds were removed: %1.': '以下音色未完成的文件已删除：%1。',
    '%1: not named as a sound.': '%1：不是音色的文件名。',
    'These sounds of the sampler pad were left out; the other sounds were loaded:':
        '采样打击垫的以下音色未被载入；其他音色已载入：',
    'The sounds on the sampler pad could not be renumbered, and these could not be put back at their numbers; the next load of the sampler pad puts them back where it can:':
        '采样打击垫上的音色无法重新编号，且以下音色无法恢复到原有编号；下次载入采样打击垫时将尽可能将其恢复：',
    'the sampler pad refused to remove its files: %1': '采样打击垫拒绝删除其文件：%1',
    'The sampler pad refused a write (%1); the sounds after it were not tried.':
        '采样打击垫拒绝写入（%1）；其后的音色未再尝试。',
    'Sound %1 (%2): it has no .wav file.': '音色 %1（%2）：缺少 .wav 文件。',
    'Sound %1 (%2): it has no .prm file.': '音色 %1（%2）：缺少 .prm 文件。',
    'Sound %1 (%2): its .prm file is not a regular file.': '音色 %1（%2）：其 .prm 文件不是普通文件。',
    'Sound %1 (%2): a folder stands at its name.': '音色 %1（%2）：该名称处是一个文件夹。',
    'Sound %1 (%2): it is not a regular file.': '音色 %1（%2）：不是普通文件。',
    'Sound %1: its .wav file is missing.': '音色 %1：缺少 .wav 文件。',
    'Sound %1: its .prm file is missing.': '音色 %1：缺少 .prm 文件。',
    "Sound %1: under hidden names, out of the pad's list.": '音色 %1：处于隐藏名称下，不在打击垫的列表中。',
    'Sound %1: now at number %2.': '音色 %1：现位于编号 %2。',
    'Sound %1: its files are split between the numbers %1 and %2.': '音色 %1：其文件分散在编号 %1 和 %2 之间。',
    # the pad's boxes: which file and why
    'Its folder is a link or leads out of the sampler pad.': '其所在文件夹是链接，或指向采样打击垫之外。',
    'Its global.ini is no longer the file that was loaded:': '其 global.ini 已不是加载时的那个文件：',
    'a folder': '一个文件夹',
    'a symbolic link': '一个符号链接',
    'a named pipe': '一个命名管道',
    'a device': '一个设备',
    'a socket': '一个套接字',
    'a file': '一个文件',
    'It is a symbolic link, which the editor does not follow.': '它是符号链接，编辑器不会跟随它。',
    'It is larger than any file of the sampler pad.': '它比采样打击垫上的任何文件都大。',
    'It is %1, not a file.': '它是%1，不是文件。',
    'It does not exist.': '它不存在。',
    'It could not be opened.': '无法打开它。',
    'It is shorter than a kit record (%1 bytes).': '它比一条套鼓记录（%1 字节）短。',
    'was not saved to the sampler pad:': '未保存到采样打击垫：',
    'The sampler pad was not found at its place for a moment while this ran; it is there again now.':
        '执行期间采样打击垫曾短暂不在原位置；现在它已回来。',
    'These entries of the metronome folder are not files and were skipped:': '节拍器文件夹中的以下条目不是文件，已跳过：',
    'Another program changed the sound groups\' file since this editor read it: that version is kept as "%1".':
        '自本编辑器读取后，另一个程序修改了音色分组文件：该版本已保存为"%1"。',
    'another program changed it, and its version could not be kept: %1': '另一个程序修改了它，且无法保留其版本：%1',
    'These files were replaced, but not all that they had was kept:': '这些文件已被替换，但其原有的属性未能全部保留：',
    # the groups' file: its lock, a link put at it, a replaced file's other names
    'The file had other names (hard links), which keep the old bytes: %1.': '该文件还有其他名称（硬链接），它们仍保留旧内容：%1。',
    '%1 more in other folders': '其他文件夹中还有 %1 个',
    'The sound groups in "%1" cannot be locked for this editor (%2). Changes to the groups in this window are kept for this session only.':
        '无法为本编辑器锁定"%1"中的音色分组（%2）。本窗口中对分组的更改仅在本次会话中保留。',
    'The sound groups in "%1" cannot be locked for this editor (%2): the changes to the groups in this window are not saved.':
        '无法为本编辑器锁定"%1"中的音色分组（%2）：本窗口中对分组的更改未保存。',
    'the sound groups cannot be locked: %1': '无法锁定音色分组：%1',
    'a link to "%1" was put at its name since the start; neither is written over':
        '启动后有人在其名称处放置了指向"%1"的链接；两者均未被覆盖',
    'The sound groups are saved to "%1", but the new file lacks what the old one had:':
        '音色分组已保存到"%1"，但新文件缺少旧文件原有的内容：',
    # group rows that follow their bytes
    'These sounds of the sound groups are no longer in the files they name, which were written anew since, nor in "Kept sounds"; they are not taken for other sounds and cannot be previewed, dragged or saved:':
        '音色分组中的以下音色已不在其所指的文件中（这些文件之后被重新写入），也不在"Kept sounds"中；它们不会被当作其他音色，也无法预听、拖动或保存：',
    'These sounds of the sound groups are now taken from "Kept sounds":': '音色分组中的以下音色现在取自"Kept sounds"：',
    'The bytes of this sound were found neither in the file it names nor in "Kept sounds" when the editor started: it would be another sound, so it cannot be previewed, dragged or saved.':
        '编辑器启动时，在其所指的文件和"Kept sounds"中都找不到此音色的数据：它将会是另一个音色，因此无法预听、拖动或保存。',
    # the drive chooser: a drive whose root did not answer in time
    '%1 (not answering)': '%1（无响应）',
    'The sound groups could not be saved to "%1" (%2). These sounds of the groups now stand elsewhere; the groups\' file still names their old places, and the next start finds them by their bytes:':
        '音色分组无法保存到"%1"（%2）。分组中的以下音色现在位于别处；音色分组文件仍记录其旧位置，下次启动时将按其数据找到它们：',
    # the pad that stops answering while the editor works on it
    'The sampler pad does not answer. Korvanta reads nothing from it and writes nothing to it until it answers again; your edits are kept.':
        '采样打击垫无响应。在它恢复响应之前，Korvanta 不会从中读取，也不会向其写入；您的编辑已保留。',
    'The sampler pad stopped answering while the changes were written to it; they may have reached it only in part.':
        '向采样打击垫写入更改时它停止了响应；这些更改可能只有一部分写入了它。',
    'The sampler pad does not answer: nothing was saved to it.': '采样打击垫无响应：没有任何内容保存到它。',
    'The drive does not answer: %1': '驱动器无响应：%1',
    # the pad's journal: what a load finished, took back or kept aside, and the boxes of batches and renumberings cut short
    "Its global.ini or its metronome folder differs from the loaded pad's; neither volume has a serial number to compare.":
        '其 global.ini 或节拍器文件夹与已载入的打击垫不同；两个卷都没有可比较的序列号。',
    'Kit %1 was not written: its file is missing or short.':
        '套鼓 %1 未写入：其文件缺失或过短。',
    'The kit chains were not written: global.ini is missing or short.':
        '套鼓链未写入：global.ini 缺失或过短。',
    'The sampler pad is not at its place; its next load tells where its sounds are.':
        '采样打击垫不在原处；下次载入时将说明其音色的位置。',
    'Sound %1: a file of it is missing.':
        '音色 %1：其一个文件缺失。',
    'The sampler pad holds a change record the editor cannot read; nothing was changed by it.':
        '采样打击垫上有一份编辑器无法读取的更改记录；未按它做任何更改。',
    'It was kept as %1 in the SYS folder.':
        '它已保留为 SYS 文件夹中的 %1。',
    "A renumbering cut short was finished: the kits on the sampler pad name the sounds' new numbers.":
        '已完成被中断的重新编号：采样打击垫上的套鼓使用音色的新编号。',
    'Sound %1 is now number %2.':
        '音色 %1 现为编号 %2。',
    'The deletion of these sounds was finished: %1.':
        '已完成这些音色的删除：%1。',
    'These sounds were put back: %1.':
        '这些音色已放回：%1。',
    'The save of an earlier close was finished from its record.':
        '已按记录完成上次关闭时的保存。',
    'These kits were found torn and written again: %1.':
        '这些套鼓写入不完整，已重新写入：%1。',
    'These kits were written: %1.':
        '这些套鼓已写入：%1。',
    'The kit chains were found torn and written again.':
        '套鼓链写入不完整，已重新写入。',
    'The kit chains were written.':
        '套鼓链已写入。',
    'The change file alter.ini was written.':
        '更改文件 alter.ini 已写入。',
    'The sampler pad refused a write (%1); the change stays recorded and the next load of the sampler pad takes it up again.':
        '采样打击垫拒绝了一次写入（%1）；更改记录保留，下次载入采样打击垫时将继续处理。',
    'The sounds on the sampler pad could not be renumbered, and the change could not be taken back; the next load of the sampler pad finishes it or takes it back, kits and sounds together.':
        '无法为采样打击垫上的音色重新编号，且该更改无法撤回；下次载入采样打击垫时将连同套鼓和音色一起完成或撤回它。',
    'The next load of the sampler pad finishes this save from its record.':
        '下次载入采样打击垫时将按记录完成这次保存。',
    'The adding of these sounds was taken back; they are not on the sampler pad: %1.':
        '以下音色的添加已撤回，它们不在采样打击垫上：%1。',
    '%1 is gone':
        '%1 已不存在',
    'These sounds were deleted from the list; the sampler pad was cut off before the deletion ended, and its next load finishes it:':
        '以下音色已从列表中删除；删除完成前采样打击垫已断开，下次载入时会完成删除：',
    'One file of each of these sounds was already gone from the sampler pad (another program may have removed it); they stay in the list:':
        '以下音色在采样打击垫上各有一个文件已不存在（可能被其他程序删除），它们仍保留在列表中：',
    'Delete what is left of them from the sampler pad?':
        '是否从采样打击垫上删除它们剩余的文件？',
    'Nothing was saved to the sampler pad: it holds the record of an earlier change that its next load ends first or, if it cannot, names.':
        '没有向采样打击垫保存任何内容：采样打击垫上存有一项先前更改的记录，下次载入采样打击垫时会先将其完成，若无法完成则会指明。',
    'It could not be kept aside: the SYS folder already holds %1 to %2.':
        '无法另行保留它：SYS 文件夹中已有 %1 至 %2。',
    'It could not be kept aside (%1).':
        '无法另行保留它（%1）。',
    'the sampler pad holds the record of an earlier change that its next load ends first or, if it cannot, names':
        '采样打击垫上存有一项先前更改的记录，下次载入采样打击垫时会先将其完成，若无法完成则会指明',
    'The sampler pad holds the record of an earlier change that its next load ends first or, if it cannot, names.':
        '采样打击垫上存有一项先前更改的记录，下次载入采样打击垫时会先将其完成，若无法完成则会指明。',
    # a sound that could not be written, with no reason from the system
    'Unknown error': '未知错误',
    # what stands at a pair's name, a leftover not all removed, a pad changed while read, serials on one side only
    'Sound %1: its unfinished files could not all be removed.':
        '音色 %1：其未完成的文件未能全部删除。',
    'The sampler pad at the drive changed while it was read: another pad or other folders stand at its place. Nothing was taken from it.':
        '读取时驱动器上的采样打击垫发生了变化：另一个打击垫或其他文件夹占据了它的位置。未从中读取任何内容。',
    '%1 is a link, not a file of its own':
        '%1 是一个链接，而不是独立的文件',
    '%1 is a folder':
        '%1 是一个文件夹',
    '%1 is not a plain file':
        '%1 不是普通文件',
    '%1 changed on the sampler pad after it was read':
        '%1 在被读取后于采样打击垫上被更改',
    'It has the USB serial number of the loaded pad, but its global.ini or its metronome folder differs.':
        '它的 USB 序列号与已加载的打击垫相同，但它的 global.ini 或节拍器文件夹不同。',
    "Its global.ini or its metronome folder differs from the loaded pad's; only one of the two volumes has a serial number, so none could be compared.":
        '它的 global.ini 或节拍器文件夹与已加载的打击垫不同；两个卷中只有一个有序列号，因此无法比较。',
    # a restore's global settings written at the close
    'The global settings file global.ini was written.':
        '全局设置文件 global.ini 已写入。',
    'The restored global settings were not saved to the sampler pad: global.ini changed on the pad since it was loaded.':
        '恢复的全局设置未能保存到采样打击垫：global.ini 自加载以来已在打击垫上更改。',
    'The restored global settings were not saved to the sampler pad: the folder of global.ini is a link or leads out of the sampler pad.':
        '恢复的全局设置未能保存到采样打击垫：global.ini 所在的文件夹是一个链接，或指向采样打击垫之外。',
    'The restored global settings were saved before that.':
        '在此之前恢复的全局设置已保存。',
    'The restored global settings were not saved to the sampler pad.':
        '恢复的全局设置未能保存到采样打击垫。',
    # a load's recovery of a record that stays, and of what stands at a hidden SYS name
    'The sampler pad holds the record of an earlier change whose every step was already done; the record could not be removed (%1), so the next load looks at it again.':
        '采样打击垫中有一项早先更改的记录，其每一步都已完成；该记录未能删除（%1），因此下次加载时会再次查看它。',
    'The sampler pad held the record of an earlier change whose every step was already done; the record was removed.':
        '采样打击垫中有一项早先更改的记录，其每一步都已完成；该记录已删除。',
    'Its record could not be removed (%1), so the next load looks at it again and finds nothing left to do.':
        '其记录未能删除（%1），因此下次加载时会再次查看它，并发现已无事可做。',
    '%1 in the SYS folder: %2 It was removed, and nothing was read through it.':
        'SYS 文件夹中的 %1：%2它已被删除，且未通过它读取任何内容。',
    '%1 in the SYS folder: %2 It could not be removed (%3).':
        'SYS 文件夹中的 %1：%2它未能被删除（%3）。',
    # a load's recovery: files changed on the pad since the change was cut short
    'Kit %1 was changed on the sampler pad since; it is kept as the pad has it.':
        '套鼓 %1 此后已在采样打击垫上被更改；按打击垫上的样子保留。',
    'The kit chains in %1 were changed on the sampler pad since; they are kept as the pad has them.':
        '%1 中的套鼓链此后已在采样打击垫上被更改；按打击垫上的样子保留。',
    '%1 was changed on the sampler pad since; it is kept as the pad has it.':
        '%1 此后已在采样打击垫上被更改；按打击垫上的样子保留。',
    'Sound %1: %2 was changed on the sampler pad since; it is kept as the pad has it.':
        '音色 %1：%2 此后已在采样打击垫上被更改；按打击垫上的样子保留。',
    'The save of an earlier close was taken back: the sampler pad holds what it held before that close.':
        '早先一次关闭时的保存已被撤回：采样打击垫保存的是那次关闭之前的内容。',
    'The sampler pad holds a change record the editor cannot read or did not write; it was neither finished nor taken back.':
        '采样打击垫中有一项编辑器无法读取或并非由编辑器写入的更改记录；它既未被完成，也未被撤回。',
    'It is kept aside as %1 in the SYS folder.': '它被另存为 SYS 文件夹中的 %1。',
    '%1 could not be forced to the disk (%2); what was put in order there may not survive a power cut.':
        '%1 未能强制写入磁盘（%2）；其中已整理好的内容在断电后可能无法保留。',
    'A change of the sounds on the sampler pad was cut short; it is now put in order.':
        '对采样打击垫上音色的一次更改被中断；现已整理完毕。',
    'A change of the files on the sampler pad was cut short.': '对采样打击垫上文件的一次更改被中断。',
    'A save to the sampler pad was cut short; it is now put in order.': '向采样打击垫的一次保存被中断；现已整理完毕。',
    # a close without room on the pad for its record
    'Nothing was saved to the sampler pad: the save needs %1 KB free on it for its record and files, and it has less.':
        '没有向采样打击垫保存任何内容：这次保存需要打击垫上有 %1 KB 的可用空间来存放其记录和文件，而打击垫上的空间不足。',
    # a close whose save the pad refused while it stayed
    'The sampler pad refused a write (%1); the next load of the sampler pad finishes this save from its record.':
        '采样打击垫拒绝了一次写入（%1）；下次载入采样打击垫时将根据其记录完成这次保存。',
    'The sampler pad refused a write (%1); nothing was saved to it.':
        '采样打击垫拒绝了一次写入（%1）；没有任何内容保存到它上面。',
    "%1 in the SYS folder: an unfinished file of the editor's. It could not be removed (%2).":
        'SYS 文件夹中的 %1：编辑器未完成的文件。它未能被删除（%2）。',
    # an ffmpeg run that took too long, a source that is no file, an import canceled
    'The conversion took too long and was stopped.': '转换耗时过长，已被停止。',
    'This is not a regular file (a pipe, a device or a folder); it was not converted.':
        '这不是普通文件（管道、设备或文件夹），未进行转换。',
    'The conversion of the following files took too long and was stopped; they were not added:':
        '以下文件的转换耗时过长，已被停止；这些文件未被添加：',
    'The import was canceled: %1 sounds were imported; the other files were not.':
        '导入已取消：已导入 %1 个音色；其余文件均未导入。',
}
