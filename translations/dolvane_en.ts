<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CsvSaveOption</name>
    <message>
        <location filename="../src/app/csv_save_option.cpp" line="+22"/>
        <source>添加字节顺序标记（Excel）</source>
        <translation>Add a byte-order mark (Excel)</translation>
    </message>
</context>
<context>
    <name>WorkbenchWindow</name>
    <message>
        <location filename="../src/app/workbench_window.cpp" line="+50"/>
        <source>监视</source>
        <translation>Monitor</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>通讯监视</source>
        <translation>Traffic</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>总线视图</source>
        <translation>Bus view</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>查找模块</source>
        <translation>Find modules</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>写入记录</source>
        <translation>Write journal</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>寄存器表</source>
        <translation>Register table</translation>
    </message>
    <message>
        <location line="+81"/>
        <source>工具(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>监视(&amp;W)...</source>
        <translation>Mo&amp;nitor...</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>视图(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>状态栏(&amp;S)</source>
        <translation>&amp;Status bar</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>打开总线文件(&amp;O)...</source>
        <translation>&amp;Open bus file...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>保存总线文件(&amp;S)...</source>
        <translation>&amp;Save bus file...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>导出调试报告(&amp;R)...</source>
        <translation>Export commissioning &amp;report...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>导出通讯记录(&amp;E)...</source>
        <translation>&amp;Export traffic...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
</context>
<context>
    <name>app</name>
    <message>
        <location filename="../src/app/message_boxes.cpp" line="+47"/>
        <location line="+8"/>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../src/app/commission_dialog.cpp" line="+45"/>
        <source>总线文件：</source>
        <translation>Bus file:</translation>
    </message>
    <message>
        <location line="+56"/>
        <source>未完成：</source>
        <translation>Not finished:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>可重试（再按“调试此模块”），或换上另一个模块；已调试的模块不受影响。</source>
        <translation>Retry (press &quot;Commission this module&quot; again) or plug in another module; modules already commissioned are not affected.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>总线文件保存失败：</source>
        <translation>Saving the bus file failed:</translation>
    </message>
    <message>
        <location filename="../src/app/message_boxes.cpp" line="+1"/>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location filename="../src/app/message_boxes.h" line="+11"/>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
</context>
<context>
    <name>busview</name>
    <message>
        <location filename="../src/busview/bus_rows.cpp" line="+24"/>
        <source>无数据</source>
        <translation>No data</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%.1f 秒前</source>
        <translation>%.1f s ago</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>（已过期）</source>
        <translation> (stale)</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>，</source>
        <translation>, </translation>
    </message>
    <message>
        <location line="+11"/>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <location line="+24"/>
        <source>正常</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>无应答</source>
        <translation>No reply</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>应答不全</source>
        <translation>Short reply</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CRC 错误</source>
        <translation>CRC error</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>应答不符</source>
        <translation>Wrong reply</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>异常 0x%02X</source>
        <translation>Exception 0x%02X</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>被拒绝</source>
        <translation>Refused</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>串口错误</source>
        <translation>Port error</translation>
    </message>
    <message>
        <location filename="../src/busview/bus_rows.h" line="+15"/>
        <source>总线视图</source>
        <translation>Bus view</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>站号</source>
        <translation>Station</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>型号</source>
        <translation>Model</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>数据时间</source>
        <translation>Data time</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>读数</source>
        <translation>Reading</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>越限</source>
        <translation>Out of limits</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>失败/轮询</source>
        <translation>Failed/polls</translation>
    </message>
    <message>
        <location filename="../src/busview/bus_view_core.cpp" line="+229"/>
        <source>站号 %d  %s  %s<byte value="xd"/>
</source>
        <translation>Station %d  %s  %s<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>最后一次轮询：</source>
        <translation>Last poll: </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>最后一次正常读数：</source>
        <translation>Last good reading: </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>尚无正常读数。<byte value="xd"/>
</source>
        <translation>No good reading yet.<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>尚未轮询。<byte value="xd"/>
</source>
        <translation>Not polled yet.<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>（未保存）</source>
        <translation>(not saved)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>  %s  %zu 个模块</source>
        <translation>  %s  %zu modules</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>  %llu 个周期</source>
        <translation>  %llu cycles</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>，%.2f 周期/秒</source>
        <translation>, %.2f cycles/s</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>  轮询中</source>
        <translation>  polling</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>站号 </source>
        <translation>Station </translation>
    </message>
    <message>
        <location line="+0"/>
        <source> 的第 0 号寄存器符合多个型号，请选择：</source>
        <translation>: register 0 fits several models; choose one:</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>以下站号有应答，但无法判别型号，未加入总线：</source>
        <translation>These stations answered but their model could not be told; not added to the bus: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <location filename="../src/busview/bus_view_core.h" line="+23"/>
        <source>打开…</source>
        <translation>Open…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>保存…</source>
        <translation>Save…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>开始轮询</source>
        <translation>Start polling</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>停止轮询</source>
        <translation>Stop polling</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>周期间隔：</source>
        <translation>Cycle interval:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> 毫秒</source>
        <translation> ms</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>记录到CSV文件</source>
        <translation>Log to CSV file</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>总线文件 (*.json)</source>
        <translation>Bus files (*.json)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>打开总线文件</source>
        <translation>Open bus file</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>保存总线文件</source>
        <translation>Save bus file</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>总线文件中没有模块。请先打开总线文件，或用“查找模块”扫描站号生成。</source>
        <translation>The bus file has no modules. Open a bus file first, or make one with a station scan in &quot;Find modules&quot;.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>串口正被其他操作占用，请稍后再试。</source>
        <translation>The port is busy with another operation; try again later.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>无法打开总线文件：
</source>
        <translation>Cannot open the bus file:
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>无法保存总线文件：
</source>
        <translation>Cannot save the bus file:
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>调试报告…</source>
        <translation>Commissioning report…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>调试新模块…</source>
        <translation>Commission new module…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>请先停止轮询，再调试新模块。</source>
        <translation>Stop polling before commissioning a new module.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>保存调试报告</source>
        <translation>Save commissioning report</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>请先停止轮询，再生成调试报告。</source>
        <translation>Stop polling before making the commissioning report.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>无法写入调试报告：
</source>
        <translation>Cannot write the commissioning report:
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>调试报告已写入：</source>
        <translation>Commissioning report written: </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>生成总线…</source>
        <translation>Make bus…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>选择型号</source>
        <translation>Choose model</translation>
    </message>
</context>
<context>
    <name>cli</name>
    <message>
        <location filename="../src/cli/cli.cpp" line="+504"/>
        <location filename="../src/cli/terminal_console.cpp" line="+37"/>
        <source>提示: </source>
        <translation>Note: </translation>
    </message>
    <message>
        <location filename="../src/cli/commission_command.cpp" line="+95"/>
        <source>插上下一个出厂设置的模块（站号 1，9600 N,8,1）后按回车，它将成为站号 </source>
        <translation>Plug in the next module with factory settings (station 1, 9600 N,8,1) and press Enter; it becomes station </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>；输入 q 结束：</source>
        <translation>; type q to finish: </translation>
    </message>
    <message>
        <location line="+8"/>
        <source>型号（回车：按第 0 号寄存器判别）：</source>
        <translation>Model (Enter: tell by register 0): </translation>
    </message>
    <message>
        <location line="+7"/>
        <source>名称（回车：</source>
        <translation>Name (Enter: </translation>
    </message>
    <message>
        <location line="+0"/>
        <source>）：</source>
        <translation>): </translation>
    </message>
    <message>
        <location line="+16"/>
        <source>输入 r 重试，s 跳过此模块，q 结束：</source>
        <translation>Type r to retry, s to skip this module, q to finish: </translation>
    </message>
    <message>
        <location line="+7"/>
        <source> 个模块已调试。
</source>
        <translation> modules commissioned.
</translation>
    </message>
    <message>
        <location filename="../src/cli/terminal_console.cpp" line="+5"/>
        <source>警告: </source>
        <translation>Warning: </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>继续？(y/N) </source>
        <translation>Continue? (y/N) </translation>
    </message>
</context>
<context>
    <name>commissioning</name>
    <message>
        <location filename="../src/commissioning/commission.cpp" line="+56"/>
        <location line="+154"/>
        <source>站号 </source>
        <translation>station </translation>
    </message>
    <message>
        <location line="-154"/>
        <source>，</source>
        <translation>, </translation>
    </message>
    <message>
        <location line="+19"/>
        <source>：</source>
        <translation>: </translation>
    </message>
    <message>
        <location line="+34"/>
        <location line="+17"/>
        <source>在出厂设置（</source>
        <translation>No module answers at the factory settings (</translation>
    </message>
    <message>
        <location line="-17"/>
        <source>）下没有模块应答：</source>
        <translation>): </translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+4"/>
        <source>第 0 号寄存器为 </source>
        <translation>Register 0 is </translation>
    </message>
    <message>
        <location line="-4"/>
        <source>，没有型号与之相符。</source>
        <translation>; no model fits it.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>，无法判别型号（</source>
        <translation>; the model cannot be told (</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> 都符合）：请指定型号。</source>
        <translation> all fit): give the model.</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+3"/>
        <source>模块不是 </source>
        <translation>The module is not </translation>
    </message>
    <message>
        <location line="-3"/>
        <source>：第 0 号寄存器为 </source>
        <translation>: register 0 is </translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+5"/>
        <location line="+16"/>
        <source>。</source>
        <translation>.</translation>
    </message>
    <message>
        <location line="-18"/>
        <source>，或读取失败：</source>
        <translation>, or the read failed: </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>）找到模块，型号 </source>
        <translation>): module found, model </translation>
    </message>
    <message>
        <location line="+6"/>
        <source>允许写入失败：</source>
        <translation>Allowing writes failed: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>已允许写入。</source>
        <translation>Writes allowed.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>修改通讯参数失败：</source>
        <translation>Changing the line settings failed: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>通讯参数已改为 </source>
        <translation>Line settings changed to </translation>
    </message>
    <message>
        <location line="+8"/>
        <source>模块在新的通讯参数（</source>
        <translation>The module gave no correct reply at the new line settings (</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>）下没有正确应答：</source>
        <translation>): </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>模块在新的通讯参数下读到的型号信息与之前不同。</source>
        <translation>At the new line settings the module reads a different identity than before.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>在新的通讯参数下读取并核对无误。</source>
        <translation>Read and checked at the new line settings.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>恢复写保护失败：</source>
        <translation>Restoring write protection failed: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>已恢复写保护。</source>
        <translation>Write protection restored.</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>将把出厂设置（</source>
        <translation>The module at the factory settings (</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>）的模块改为</source>
        <translation>) will be changed to </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>：先允许写入，修改通讯参数后恢复写保护。是否继续？</source>
        <translation>: writes are allowed first, and write protection is restored after the change. Continue?</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>（</source>
        <translation> (</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>）已加入 </source>
        <translation>) added to </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>模块 </source>
        <translation>Module </translation>
    </message>
    <message>
        <location filename="../src/commissioning/commission.h" line="+20"/>
        <source>调试新模块</source>
        <translation>Commission new module</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>插上下一个出厂设置的模块（站号 1，9600 N,8,1），然后按“调试此模块”。</source>
        <translation>Plug in the next module with factory settings (station 1, 9600 N,8,1), then press &quot;Commission this module&quot;.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>调试此模块</source>
        <translation>Commission this module</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>新站号：</source>
        <translation>New station:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>型号：</source>
        <translation>Model:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>名称：</source>
        <translation>Name:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>按第 0 号寄存器判别</source>
        <translation>Tell by register 0</translation>
    </message>
</context>
<context>
    <name>config</name>
    <message>
        <location filename="../src/config/comm_params.h" line="+19"/>
        <source>非法的新站号！</source>
        <translation>Invalid new station!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>非法的参数！</source>
        <translation>Invalid parameter!</translation>
    </message>
    <message>
        <location filename="../src/config/comm_reset.cpp" line="+13"/>
        <source>继续操作将修改所有从站数据，并重置波特率/站号！<byte value="xd"/>
总线上的所有模块都将变为站号 1、9600 N,8,1，约需 15 秒。</source>
        <translation>Continuing changes every slave and resets baud rate/station!<byte value="xd"/>
Every module on the bus becomes station 1, 9600 N,8,1; this takes about 15 s.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>正在尝试复位模块站号/波特率，请耐心等待...<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>Resetting the modules&apos; station/baud rate, please wait...<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>正在尝试波特率：%d=%6dBPS。
校验值号：%d=%s。<byte value="xd"/>
</source>
        <translation>Trying baud rate: %d=%6dBPS.
Parity setting: %d=%s.<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source><byte value="xd"/>
正在尝试确认重置结果，请稍后...<byte value="xd"/>
</source>
        <translation><byte value="xd"/>
Confirming the reset, please wait...<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>通讯错误！</source>
        <translation>Communication error!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>数据错误！</source>
        <translation>Data error!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>通过网络串口服务器（TCP）连接时无法进行通信重置：请在服务器上设置串口参数，或直接连接串口。</source>
        <translation>A communication reset is not possible through a serial server (TCP): set the line on the server, or connect the serial port directly.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>串口无法重新打开</source>
        <translation>The port could not be reopened</translation>
    </message>
    <message>
        <location line="+98"/>
        <source><byte value="xd"/>
十六进制显示接收数据：<byte value="xd"/>
</source>
        <translation><byte value="xd"/>
Received data (hex):<byte value="xd"/>
</translation>
    </message>
    <message>
        <location filename="../src/config/write_protection.cpp" line="+9"/>
        <source>当前站号为0，继续操作将修改所有从站数据！</source>
        <translation>Station is 0: continuing changes every slave!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>该操作将允许模块寄存器的写功能</source>
        <translation>This allows writing to the module&apos;s registers</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>该操作将禁用模块寄存器的写功能</source>
        <translation>This disables writing to the module&apos;s registers</translation>
    </message>
</context>
<context>
    <name>discovery</name>
    <message>
        <location filename="../src/discovery/discovery.cpp" line="+13"/>
        <source>通过网络串口服务器（TCP）连接时无法检测串口参数：串口参数在服务器上设置。</source>
        <translation>Line settings cannot be detected through a serial server (TCP): the line is set on the server.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>此串口不传送通讯参数：站号 %d 在 32 种通讯参数下的应答完全相同，无法用此方法检测模块的通讯参数。<byte value="xd"/>
虚拟串口、伪终端和串口服务器的通讯参数由另一端决定，模块能应答说明它与另一端的设置一致；要检测模块自身的设置，请用直接连接 RS-485 总线的串口。</source>
        <translation>This port does not carry the line settings: station %d answers alike at all 32 settings, so this method cannot detect the module&apos;s settings.<byte value="xd"/>
A virtual port, a pseudo-terminal or a serial server takes its settings from the far end, and a module that answers matches that end; to detect the module&apos;s own settings, use a port wired directly to the RS-485 bus.</translation>
    </message>
    <message>
        <location line="+150"/>
        <source>第 0 号寄存器 = %u；</source>
        <translation>word 0 = %u; </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>型号 %s</source>
        <translation>model %s</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>没有已知型号与之相符</source>
        <translation>no model tried accepts it</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>无法判别型号：%s 都符合</source>
        <translation>model cannot be told apart: %s accept it alike</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>有应答，异常 %02X %s</source>
        <translation>present, exception %02X %s</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>应答数据损坏（有设备应答：通讯参数不对或数据冲突）</source>
        <translation>corrupted reply (a device answered: wrong settings or a collision)</translation>
    </message>
</context>
<context>
    <name>journal</name>
    <message>
        <location filename="../src/journal/journal_records.cpp" line="+199"/>
        <source> 条记录</source>
        <translation> records</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>，其中 </source>
        <translation>, of which </translation>
    </message>
    <message>
        <location line="+0"/>
        <source> 条未完成（写入结果未记下）</source>
        <translation> unfinished (no outcome recorded)</translation>
    </message>
    <message>
        <location filename="../src/journal/journal_records.h" line="+12"/>
        <source>写入记录</source>
        <translation>Write journal</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>站号：</source>
        <translation>Station:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>全部</source>
        <translation>All</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>起始日期：</source>
        <translation>Since:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>刷新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>导出CSV…</source>
        <translation>Export CSV…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>起始日期应为 2026-12-11 或 2026-12-11 08:30 的形式。</source>
        <translation>The start date must look like 2026-12-11 or 2026-12-11 08:30.</translation>
    </message>
</context>
<context>
    <name>layout</name>
    <message>
        <location filename="../src/layout/form_model.cpp" line="+69"/>
        <location line="+43"/>
        <source>写入地址</source>
        <translation>Write address</translation>
    </message>
    <message>
        <location line="-41"/>
        <source>写入长度</source>
        <translation>Write count</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>第 %d 个写入数据</source>
        <translation>Write value %d</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>模块站号</source>
        <translation>Station</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>写入数值</source>
        <translation>Write value</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>新站号</source>
        <translation>New station</translation>
    </message>
    <message>
        <location filename="../src/layout/main_window_controls.cpp" line="+22"/>
        <location filename="../src/layout/main_window_texts.cpp" line="+20"/>
        <source>打开串口</source>
        <translation>Open port</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+51"/>
        <source>模块站号:</source>
        <translation>Station:</translation>
    </message>
    <message>
        <location line="-49"/>
        <source>写单寄存器</source>
        <translation>Write reg</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>通信重置</source>
        <translation>Reset comm</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>读多寄存器(十进制)@开发者模式</source>
        <translation>Read registers (decimal) @developer mode</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>读多寄存器</source>
        <translation>Read regs</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>RX/RY/RZ系列数据采集</source>
        <translation>RX/RY/RZ series readings</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>SX/SY系列数据采集</source>
        <translation>SX/SY series readings</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>交直流系列数据采集</source>
        <translation>AC/DC series readings</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>写保护设置(仅680以上版本支持)</source>
        <translation>Write protection (firmware 680+)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>允许写操作</source>
        <translation>Allow writes</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>禁用写操作</source>
        <translation>Forbid writes</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+16"/>
        <source>写入地址:</source>
        <translation>Address:</translation>
    </message>
    <message>
        <location line="-13"/>
        <source>写多寄存器</source>
        <translation>Write regs</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>写多寄存器(十进制)@开发者模式</source>
        <translation>Write registers (decimal) @developer mode</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>写入长度:</source>
        <translation>Count:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>读取地址:</source>
        <translation>Address:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>读取长度:</source>
        <translation>Count:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>写入数值:</source>
        <translation>Value:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>写单寄存器(十进制)</source>
        <translation>Write register (decimal)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>VX/VY系列数据采集</source>
        <translation>VX/VY series</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>修改模块通讯参数和站号</source>
        <translation>Change the module&apos;s line settings and station</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>修改通讯参数/站号</source>
        <translation>Change line/station</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>波特率：</source>
        <translation>Baud:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>校验位:</source>
        <translation>Parity:</translation>
    </message>
    <message>
        <location filename="../src/layout/main_window_texts.cpp" line="-13"/>
        <source>感谢使用我司产品！温馨提示：<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>Thank you for using our products! Tips:<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>产品技术规格书请通过我司网站获取 </source>
        <translation>Product data sheets are on our website </translation>
    </message>
    <message>
        <location line="+2"/>
        <source><byte value="xd"/>
<byte value="xd"/>
技术支持可拨打电话：Dolvane技术值班专机</source>
        <translation><byte value="xd"/>
<byte value="xd"/>
Technical support by phone: Dolvane support line </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>模块站号、波特率等配置请通过软件底部“修改模块通讯参数和站号”功能区自行设置<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>Set the module&apos;s station, baud rate and so on in the &quot;Change the module&apos;s line settings and station&quot; area at the bottom<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>固件版本为680及以上的产品增加寄存器写保护功能，建议使能写保护。<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>Firmware 680 and later adds register write protection; keeping it on is recommended.<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>使能写操作方法: 写保护设置-&gt;允许写操作。<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>To allow writes: Write protection -&gt; Allow writes.<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>使能写保护方法: 写保护设置-&gt;禁止写操作。</source>
        <translation>To protect against writes: Write protection -&gt; Forbid writes.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>关闭串口</source>
        <translation>Close port</translation>
    </message>
    <message>
        <location filename="../src/layout/main_window_texts.h" line="+10"/>
        <source>Dolvane采集模块调试工具V2.8</source>
        <translation>Dolvane Acquisition Module Console V2.8</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>关于 DolvaneCaiJi(&amp;A)...</source>
        <translation>&amp;About DolvaneCaiJi...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>通讯监视(&amp;M)...</source>
        <translation>Traffic &amp;monitor...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>查找模块(&amp;F)...</source>
        <translation>&amp;Find modules...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>总线视图(&amp;B)...</source>
        <translation>&amp;Bus view...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>写入记录(&amp;J)...</source>
        <translation>Write &amp;journal...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>切换到新的通讯参数</source>
        <translation>Switch to the new line settings</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>寄存器表(&amp;T)...</source>
        <translation>Register &amp;table...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>写入前读取原值(&amp;R)</source>
        <translation>&amp;Read old values before writes</translation>
    </message>
    <message>
        <location filename="../src/layout/about_dialog_template.h" line="+11"/>
        <source>关于Dolvane电参数采集</source>
        <translation>About Dolvane Power Acquisition</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Dolvane电参数采集V1.0</source>
        <translation>Dolvane Power Acquisition V1.0</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>版本 </source>
        <translation>Version </translation>
    </message>
    <message>
        <location filename="../src/layout/port_dialog_template.h" line="+11"/>
        <source>请输入串口号</source>
        <translation>Enter the serial port</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>本机串口（单击选用，亦可输入端口号或设备名）：</source>
        <translation>Ports (click one, or type a number or a name):</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>本机串口（单击选用，亦可输入端口号或设备路径）：</source>
        <translation>Ports (click one, or type a number or a path):</translation>
    </message>
    <message>
        <location filename="../src/layout/port_status.h" line="+10"/>
        <source>串口未打开</source>
        <translation>Port not open</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>将在重新打开串口后生效</source>
        <translation>takes effect when the port is opened again</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>（%s %s）</source>
        <translation> (%s %s)</translation>
    </message>
</context>
<context>
    <name>link</name>
    <message>
        <location filename="../src/link/link.cpp" line="+58"/>
        <source>设备不存在。</source>
        <translation>The device does not exist.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>没有权限：请把当前用户加入 dialout 组（sudo usermod -aG dialout $USER），重新登录后再试。</source>
        <translation>Permission denied: add the current user to the dialout group (sudo usermod -aG dialout $USER), log in again and retry.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>串口已被其他程序占用。</source>
        <translation>The port is in use by another program.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>连接被拒绝：请检查端口号，以及服务器是否在运行。</source>
        <translation>Connection refused: check the port number and that the server is running.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>找不到服务器：请检查地址及网络连接。</source>
        <translation>Server not found: check the address and the network connection.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>连接超时（3秒）：请检查地址及网络连接。</source>
        <translation>Connection timed out (3 s): check the address and the network connection.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>设备无法打开，请检查设备及其驱动。</source>
        <translation>The device cannot be opened; check the device and its driver.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>打开失败！<byte value="xd"/>
</source>
        <translation> failed to open!<byte value="xd"/>
</translation>
    </message>
    <message>
        <location filename="../src/link/link.h" line="+72"/>
        <source>非法的端口号！</source>
        <translation>Invalid port number!</translation>
    </message>
</context>
<context>
    <name>modbus</name>
    <message>
        <location filename="../src/modbus/config_word.cpp" line="+47"/>
        <source>该操作将修改通讯波特率/校验位/模块站号，设置成功后参数持久化保存，请确认当前设置参数：<byte value="xd"/>
波特率号：%d=%dBPS。<byte value="xd"/>
校验值号：%d=%s。<byte value="xd"/>
模块站号：%d。</source>
        <translation>This changes the baud rate/parity/station; once set they are stored in the module. Please confirm the settings:<byte value="xd"/>
Baud rate: %d=%dBPS.<byte value="xd"/>
Parity: %d=%s.<byte value="xd"/>
Station: %d.</translation>
    </message>
    <message>
        <location filename="../src/modbus/config_word.h" line="+15"/>
        <source>当前站号0为广播站号，继续操作将修改所有从站数据！</source>
        <translation>Station 0 is the broadcast station: continuing changes every slave!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>模块站号允许范围 1-247。</source>
        <translation>The station must be 1-247.</translation>
    </message>
    <message>
        <location filename="../src/modbus/exchange.cpp" line="+21"/>
        <source>非法功能</source>
        <translation>Illegal function</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>非法数据地址</source>
        <translation>Illegal data address</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>非法数据值</source>
        <translation>Illegal data value</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>从站设备故障</source>
        <translation>Slave device failure</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>确认</source>
        <translation>Acknowledge</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>从站设备忙</source>
        <translation>Slave device busy</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>否定确认</source>
        <translation>Negative acknowledge</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>存储奇偶性差错</source>
        <translation>Memory parity error</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>未定义</source>
        <translation>Undefined</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>网关路径不可用</source>
        <translation>Gateway path unavailable</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>网关目标设备响应失败</source>
        <translation>Gateway target device failed to respond</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>异常响应：功能码 0x%02X，异常码 0x%02X（%s）</source>
        <translation>Exception reply: function 0x%02X, exception code 0x%02X (%s)</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>站号 %d，%d %s</source>
        <translation>station %d, %d %s</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>站号 %d，%s</source>
        <translation>station %d, %s</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <location line="+24"/>
        <source>收到 %u / %u 字节</source>
        <translation>received %u / %u bytes</translation>
    </message>
    <message>
        <location line="+53"/>
        <source>无应答（等待 %lld ms）</source>
        <translation>no reply (waited %lld ms)</translation>
    </message>
    <message>
        <location filename="../src/modbus/exchange.h" line="+30"/>
        <source>串口未打开!</source>
        <translation>Port not open!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>非法的站号！</source>
        <translation>Invalid station!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>写串口失败!</source>
        <translation>Writing to the port failed!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>读串口失败!</source>
        <translation>Reading the port failed!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>通讯错误或设备型号不兼容！</source>
        <translation>Communication error or incompatible device model!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>数据错误</source>
        <translation>Data error</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>不支持的设备型号！</source>
        <translation>Unsupported device model!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>通讯参数设置成功！</source>
        <translation>Line settings changed!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>重置成功！站号：01，波特率：9600，N，8，1</source>
        <translation>Reset done! Station: 01, baud rate: 9600, N, 8, 1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>已广播，广播命令无应答。</source>
        <translation>Broadcast sent; a broadcast gets no reply.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>写保护可能已开启：先按“允许写操作”</source>
        <translation>Write protection may be on: press &quot;Allow writes&quot; first</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>未填写。</source>
        <translation>is empty.</translation>
    </message>
    <message>
        <location line="+45"/>
        <source>十六进制显示发送数据：<byte value="xd"/>
</source>
        <translation>Sent data (hex):<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source><byte value="xd"/>
<byte value="xd"/>
十六进制显示接收数据：<byte value="xd"/>
</source>
        <translation><byte value="xd"/>
<byte value="xd"/>
Received data (hex):<byte value="xd"/>
</translation>
    </message>
    <message>
        <location filename="../src/modbus/frames.cpp" line="+94"/>
        <source>校验错误</source>
        <translation>CRC error</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>报文头错误</source>
        <translation>Bad MBAP header</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>应答事务号 %u，请求的是 %u</source>
        <translation>reply transaction %u, request %u</translation>
    </message>
    <message>
        <location filename="../src/modbus/register_tools.cpp" line="+10"/>
        <source>十六进制显示发送数据：<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>Sent data (hex):<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source><byte value="xd"/>
<byte value="xd"/>
十六进制显示接收数据：<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation><byte value="xd"/>
<byte value="xd"/>
Received data (hex):<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>该操作将设置允许寄存器的写操作</source>
        <translation>This allows register writes</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>该操作将设置禁用寄存器的写操作</source>
        <translation>This disables register writes</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>{[事务标识] %02X %02X} {[协议标识] %02X %02X} {[长度] %02X %02X}<byte value="xd"/>
{[单元标识] %02X}</source>
        <translation>{[Transaction] %02X %02X} {[Protocol] %02X %02X} {[Length] %02X %02X}<byte value="xd"/>
{[Unit] %02X}</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>{[模块站号] %02X}</source>
        <translation>{[Station] %02X}</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%s{[校验位] %02X %02X}</source>
        <translation>%s{[CRC] %02X %02X}</translation>
    </message>
    <message>
        <location line="+80"/>
        <source> {[功能码] %02X} {[起始地址] %02X %02X}<byte value="xd"/>
{[读取长度] %02X %02X}</source>
        <translation> {[Function] %02X} {[Start] %02X %02X}<byte value="xd"/>
{[Read count] %02X %02X}</translation>
    </message>
    <message>
        <location line="+7"/>
        <source> {[功能码] %02X} {[字节长度] %02X}<byte value="xd"/>
<byte value="xd"/>
{[数据内容]<byte value="xd"/>
</source>
        <translation> {[Function] %02X} {[Byte count] %02X}<byte value="xd"/>
<byte value="xd"/>
{[Data]<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+53"/>
        <source> {[功能码] %02X} {[起始地址] %02X %02X}<byte value="xd"/>
{[写入长度] %02X %02X}{[字节长度] %02X}<byte value="xd"/>
<byte value="xd"/>
{[数据内容]<byte value="xd"/>
</source>
        <translation> {[Function] %02X} {[Start] %02X %02X}<byte value="xd"/>
{[Write count] %02X %02X}{[Byte count] %02X}<byte value="xd"/>
<byte value="xd"/>
{[Data]<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+9"/>
        <source> {[功能码] %02X} {[起始地址] %02X %02X}<byte value="xd"/>
{[写入长度] %02X %02X}</source>
        <translation> {[Function] %02X} {[Start] %02X %02X}<byte value="xd"/>
{[Write count] %02X %02X}</translation>
    </message>
    <message>
        <location filename="../src/modbus/register_tools.h" line="+40"/>
        <source>非法的起始地址！</source>
        <translation>Invalid start address!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>非法的读取长度！</source>
        <translation>Invalid read count!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>非法的寄存器地址！</source>
        <translation>Invalid register address!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>非法的寄存器数值！</source>
        <translation>Invalid register value!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>非法的写入长度！</source>
        <translation>Invalid write count!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>写入数据非法，允许范围0-65535!</source>
        <translation>Invalid write data; the range is 0-65535!</translation>
    </message>
    <message>
        <location filename="../src/modbus/reply_check.cpp" line="+24"/>
        <source>写入确认的%s %d 与写入的 %d 不符</source>
        <translation>the echoed %s %d differs from the written %d</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>应答来自站号 %d，请求的是站号 %d</source>
        <translation>reply from station %d, request to station %d</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>应答功能码 %02X，请求的是 %02X</source>
        <translation>reply function %02X, request %02X</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>应答字节长度 %d，请求的是 %d</source>
        <translation>reply byte count %d, request %d</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>地址</source>
        <translation>address</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>数值</source>
        <translation>value</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>起始地址</source>
        <translation>start address</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>长度</source>
        <translation>count</translation>
    </message>
    <message>
        <location filename="../src/modbus/write_journal.h" line="+69"/>
        <source>写操作日志无法写入，未发送写命令：<byte value="xd"/>
</source>
        <translation>The write journal cannot be written; the write was not sent:<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>写操作日志无法记录写入结果：<byte value="xd"/>
</source>
        <translation>The write journal cannot record the write&apos;s outcome:<byte value="xd"/>
</translation>
    </message>
    <message>
        <location filename="../src/modbus/frame_verdict.cpp" line="+76"/>
        <source>[丢弃] 失败的应答之后、线路恢复之前收到的 %zu 字节</source>
        <translation>[discarded] %zu bytes while the line settled after a failed reply</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>[串口出错] 未传送任何数据</source>
        <translation>[port failed] nothing transferred</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>[超时] %d 毫秒内无数据，应为 %zu 字节</source>
        <translation>[time-out] nothing in %d ms, %zu bytes expected</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>[应答不符] %s，</source>
        <translation>[mismatch] %s, </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>[%s 正确]</source>
        <translation>[%s ok]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>[%s 错误]</source>
        <translation>[%s bad]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>[无 %s]</source>
        <translation>[no %s]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> [串口出错]</source>
        <translation> [port failed]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> [%d 毫秒后超时]</source>
        <translation> [time-out after %d ms]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> 功能码 %02X</source>
        <translation> function %02X</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>，异常 %02X %s</source>
        <translation>, exception %02X %s</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>，%zu / %zu 字节</source>
        <translation>, %zu of %zu bytes</translation>
    </message>
</context>
<context>
    <name>models</name>
    <message>
        <location filename="../src/models/demo_bus.cpp" line="+26"/>
        <source>，</source>
        <translation>, </translation>
    </message>
    <message>
        <location line="+8"/>
        <source>模拟总线</source>
        <translation>Simulated bus</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+6"/>
        <source>（</source>
        <translation> (</translation>
    </message>
    <message>
        <location line="-6"/>
        <location line="+6"/>
        <source>）</source>
        <translation>)</translation>
    </message>
    <message>
        <location line="-5"/>
        <source>：</source>
        <translation>: </translation>
    </message>
    <message>
        <location filename="../src/models/model_registry.cpp" line="+24"/>
        <source>Brassel采集</source>
        <translation>Brassel</translation>
    </message>
</context>
<context>
    <name>monitor</name>
    <message>
        <location filename="../src/monitor/monitor_texts.cpp" line="+12"/>
        <source>正常</source>
        <translation>ok</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>超时</source>
        <translation>time-out</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>短帧</source>
        <translation>short</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>校验错</source>
        <translation>CRC</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>应答不符</source>
        <translation>mismatch</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>异常</source>
        <translation>exception</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>型号不符</source>
        <translation>wrong model</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>端口错</source>
        <translation>port</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>轮询 %llu 次（</source>
        <translation>%llu polls (</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>，</source>
        <translation>, </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>），%.1f 次/秒</source>
        <translation>), %.1f/s</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>监视中：</source>
        <translation>Monitoring: </translation>
    </message>
    <message>
        <location line="+0"/>
        <source>监视已停止：</source>
        <translation>Monitoring stopped: </translation>
    </message>
    <message>
        <location line="+6"/>
        <source>曲线(最多%d项):</source>
        <translation>Curves (up to %d):</translation>
    </message>
    <message>
        <location filename="../src/monitor/monitor_texts.h" line="+11"/>
        <source>请先读取一次模块数据，再开始监视。</source>
        <translation>Read the module once before monitoring.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CSV文件写入失败，已停止记录。</source>
        <translation>Writing the CSV file failed; logging stopped.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>无法打开CSV文件：</source>
        <translation>Cannot open the CSV file: </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>监视</source>
        <translation>Poll</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>监视趋势</source>
        <translation>Trend</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>时间轴:</source>
        <translation>Time axis:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>间隔:</source>
        <translation>Interval:</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+2"/>
        <source>记录到CSV文件</source>
        <translation>Log to CSV</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>停止监视</source>
        <translation>Stop</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>CSV 文件</source>
        <translation>CSV files</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>数据已过期：最后一次成功读取于 %s；</source>
        <translation>Data out of date: last good reading at %s; </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>数据已过期：本次监视尚无成功读取；</source>
        <translation>Data out of date: no good reading yet in this monitoring run; </translation>
    </message>
    <message>
        <location filename="../src/monitor/trend_data.cpp" line="+12"/>
        <source>最近 %d 分钟</source>
        <translation>Last %d min</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>连续</source>
        <translation>Continuous</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%d 毫秒</source>
        <translation>%d ms</translation>
    </message>
    <message>
        <location line="+106"/>
        <source>分钟（0 为此刻）</source>
        <translation>minutes (0 is now)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>秒（0 为此刻）</source>
        <translation>seconds (0 is now)</translation>
    </message>
</context>
<context>
    <name>operations</name>
    <message>
        <location filename="../src/operations/operations.cpp" line="+30"/>
        <source>串口已关闭！</source>
        <translation>Port closed!</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>串口打开成功！</source>
        <translation>Port opened!</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>串口打开失败！</source>
        <translation>Opening the port failed!</translation>
    </message>
</context>
<context>
    <name>readers</name>
    <message>
        <location filename="../src/readers/acdc_channel.cpp" line="+10"/>
        <location filename="../src/readers/multi_channel_current.cpp" line="+38"/>
        <source>程序版本：%d<byte value="xd"/>
电流量程：%d<byte value="xd"/>
电流量程：%d<byte value="xd"/>
出厂日期：%02X-%02X<byte value="xd"/>
分频系数：%d<byte value="xd"/>
信号阈值：%d<byte value="xd"/>
选频系数：%d<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>Firmware version: %d<byte value="xd"/>
Current range: %d<byte value="xd"/>
Current range: %d<byte value="xd"/>
Factory date: %02X-%02X<byte value="xd"/>
Divider: %d<byte value="xd"/>
Signal threshold: %d<byte value="xd"/>
Frequency select: %d<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>%02d通道-&gt;交直流：%06.2f； </source>
        <translation>Ch%02d-&gt;AC+DC: %06.2f; </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>直流：%06.2f； </source>
        <translation>DC: %06.2f; </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>交流：%06.2f； </source>
        <translation>AC: %06.2f; </translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/multi_channel_current.cpp" line="+10"/>
        <source>频率：%06.1f； </source>
        <translation>Freq: %06.1f; </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>变比：%05d<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>Ratio: %05d<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <location filename="../src/readers/acdc_power.cpp" line="+12"/>
        <location filename="../src/readers/nine_channel.cpp" line="+19"/>
        <source>程序版本：%d<byte value="xd"/>
电流量程：%d<byte value="xd"/>
电压量程：%d<byte value="xd"/>
出厂日期：%02X-%02X<byte value="xd"/>
分频系数：%d<byte value="xd"/>
信号阈值：%d<byte value="xd"/>
选频系数：%d<byte value="xd"/>
存储时间：%d<byte value="xd"/>
更新速率：%04X<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>Firmware version: %d<byte value="xd"/>
Current range: %d<byte value="xd"/>
Voltage range: %d<byte value="xd"/>
Factory date: %02X-%02X<byte value="xd"/>
Divider: %d<byte value="xd"/>
Signal threshold: %d<byte value="xd"/>
Frequency select: %d<byte value="xd"/>
Storage time: %d<byte value="xd"/>
Update rate: %04X<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+8"/>
        <source> 电流快速值</source>
        <translation> current fast</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> 电压快速值</source>
        <translation> voltage fast</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/nine_channel.cpp" line="+8"/>
        <location line="+21"/>
        <location line="+1"/>
        <source> 慢速值</source>
        <translation> slow</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>电流快速值-&gt;</source>
        <translation>Current fast-&gt;</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+5"/>
        <source>交直流：%05d </source>
        <translation>AC+DC: %05d </translation>
    </message>
    <message>
        <location line="-4"/>
        <location line="+5"/>
        <source>直流：%05d </source>
        <translation>DC: %05d </translation>
    </message>
    <message>
        <location line="-4"/>
        <location line="+5"/>
        <source>交流：%05d </source>
        <translation>AC: %05d </translation>
    </message>
    <message>
        <location line="-4"/>
        <location filename="../src/readers/nine_channel.cpp" line="-18"/>
        <location line="+15"/>
        <source>基频：%06.1f<byte value="xd"/>
</source>
        <translation>Fund. freq: %06.1f<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电压快速值-&gt;</source>
        <translation>Voltage fast-&gt;</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>基频：%06.1f </source>
        <translation>Fund. freq: %06.1f </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>视在功率：%05d<byte value="xd"/>
</source>
        <translation>Apparent power: %05d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/nine_channel.cpp" line="-14"/>
        <location line="+15"/>
        <source>慢速值-&gt;</source>
        <translation>Slow-&gt;</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/nine_channel.cpp" line="-18"/>
        <location line="+4"/>
        <source>电流：%05d </source>
        <translation>Current: %05d </translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/nine_channel.cpp" line="+12"/>
        <location line="+3"/>
        <source>电压：%05d </source>
        <translation>Voltage: %05d </translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/nine_channel.cpp" line="-18"/>
        <location line="+4"/>
        <source>视在：%05d </source>
        <translation>Apparent: %05d </translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/nine_channel.cpp" line="+1"/>
        <source>有功：%05d </source>
        <translation>Active: %05d </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>因数：%06.4f </source>
        <translation>PF: %06.4f </translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/nine_channel.cpp" line="+14"/>
        <source>频率：%06.2f<byte value="xd"/>
</source>
        <translation>Freq: %06.2f<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/nine_channel.cpp" line="-12"/>
        <source>正向：%010d </source>
        <translation>Forward: %010d </translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/nine_channel.cpp" line="+1"/>
        <source>反向：%010d </source>
        <translation>Reverse: %010d </translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/nine_channel.cpp" line="+1"/>
        <source>电流系数：%05d </source>
        <translation>Current factor: %05d </translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/nine_channel.cpp" line="+11"/>
        <source>电压系数：%05d </source>
        <translation>Voltage factor: %05d </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>功率系数：%05d<byte value="xd"/>
</source>
        <translation>Power factor coef.: %05d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电流变比：%05d </source>
        <translation>CT ratio: %05d </translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/four_channel_power.cpp" line="+28"/>
        <location filename="../src/readers/three_phase_power.cpp" line="+29"/>
        <source>电压变比：%05d<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>VT ratio: %05d<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <location filename="../src/readers/eight_channel.cpp" line="+21"/>
        <source>A路电流：%.2f<byte value="xd"/>
</source>
        <translation>A current: %.2f<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>B路电流：%.2f<byte value="xd"/>
</source>
        <translation>B current: %.2f<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>C路电流：%.2f<byte value="xd"/>
</source>
        <translation>C current: %.2f<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>D路电流：%.2f<byte value="xd"/>
</source>
        <translation>D current: %.2f<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>E路电流：%.2f<byte value="xd"/>
</source>
        <translation>E current: %.2f<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>F路电流：%.2f<byte value="xd"/>
</source>
        <translation>F current: %.2f<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>G路电流：%.2f<byte value="xd"/>
</source>
        <translation>G current: %.2f<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>H路电流：%.2f<byte value="xd"/>
</source>
        <translation>H current: %.2f<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A路谐波：%d<byte value="xd"/>
</source>
        <translation>A harmonics: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>B路谐波：%d<byte value="xd"/>
</source>
        <translation>B harmonics: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>C路谐波：%d<byte value="xd"/>
</source>
        <translation>C harmonics: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>D路谐波：%d<byte value="xd"/>
</source>
        <translation>D harmonics: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>E路谐波：%d<byte value="xd"/>
</source>
        <translation>E harmonics: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>F路谐波：%d<byte value="xd"/>
</source>
        <translation>F harmonics: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>G路谐波：%d<byte value="xd"/>
</source>
        <translation>G harmonics: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>H路谐波：%d<byte value="xd"/>
</source>
        <translation>H harmonics: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>A路变比：%d<byte value="xd"/>
</source>
        <translation>A ratio: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>B路变比：%d<byte value="xd"/>
</source>
        <translation>B ratio: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>C路变比：%d<byte value="xd"/>
</source>
        <translation>C ratio: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>D路变比：%d<byte value="xd"/>
</source>
        <translation>D ratio: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>E路变比：%d<byte value="xd"/>
</source>
        <translation>E ratio: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>F路变比：%d<byte value="xd"/>
</source>
        <translation>F ratio: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>G路变比：%d<byte value="xd"/>
</source>
        <translation>G ratio: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>H路变比：%d<byte value="xd"/>
</source>
        <translation>H ratio: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>程序版本：%d<byte value="xd"/>
电流量程：%d<byte value="xd"/>
电流量程：%d<byte value="xd"/>
出厂日期：%02X-%02X<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>Firmware version: %d<byte value="xd"/>
Current range: %d<byte value="xd"/>
Current range: %d<byte value="xd"/>
Factory date: %02X-%02X<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <location filename="../src/readers/foreign_meter.cpp" line="+8"/>
        <source>电压：%05d； </source>
        <translation>Voltage: %05d; </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电流：%05d； </source>
        <translation>Current: %05d; </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>有功：%05d； </source>
        <translation>Active: %05d; </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>无功：%05d； </source>
        <translation>Reactive: %05d; </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>视在：%05d； </source>
        <translation>Apparent: %05d; </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>因数：%05d； </source>
        <translation>PF: %05d; </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>频率：%05d<byte value="xd"/>
</source>
        <translation>Freq: %05d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location filename="../src/readers/four_channel.cpp" line="+8"/>
        <source>一</source>
        <translation>1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>二</source>
        <translation>2</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>三</source>
        <translation>3</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>四</source>
        <translation>4</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>程序版本：%d<byte value="xd"/>
电流量程：%d<byte value="xd"/>
电压量程：%d<byte value="xd"/>
出厂日期：%02X-%02X<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>Firmware version: %d<byte value="xd"/>
Current range: %d<byte value="xd"/>
Voltage range: %d<byte value="xd"/>
Factory date: %02X-%02X<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>电流系数：%d<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>Current factor: %d<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%s路</source>
        <translation>Ch%s</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%s路电流：%.2f<byte value="xd"/>
</source>
        <translation>Ch%s current: %.2f<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%s路电压：%.2f<byte value="xd"/>
</source>
        <translation>Ch%s voltage: %.2f<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%s路视在：%d<byte value="xd"/>
</source>
        <translation>Ch%s apparent: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%s路有功：%d<byte value="xd"/>
</source>
        <translation>Ch%s active: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+2"/>
        <location filename="../src/readers/three_phase.cpp" line="+49"/>
        <source>电流变比：%d<byte value="xd"/>
</source>
        <translation>CT ratio: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电压变比：%d<byte value="xd"/>
</source>
        <translation>VT ratio: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location filename="../src/readers/four_channel_power.cpp" line="-17"/>
        <location filename="../src/readers/three_phase_power.cpp" line="-18"/>
        <source>程序版本：%d<byte value="xd"/>
电流量程：%d<byte value="xd"/>
电压量程：%d<byte value="xd"/>
出厂日期：%02X-%02X<byte value="xd"/>
分频系数：%d<byte value="xd"/>
信号阈值：%d<byte value="xd"/>
选频系数：%d<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>Firmware version: %d<byte value="xd"/>
Current range: %d<byte value="xd"/>
Voltage range: %d<byte value="xd"/>
Factory date: %02X-%02X<byte value="xd"/>
Divider: %d<byte value="xd"/>
Signal threshold: %d<byte value="xd"/>
Frequency select: %d<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+8"/>
        <location filename="../src/readers/three_phase_power.cpp" line="+8"/>
        <source>电流    ：%06.2fA<byte value="xd"/>
</source>
        <translation>Current        : %06.2fA<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电压    ：%06.1fV<byte value="xd"/>
</source>
        <translation>Voltage        : %06.1fV<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/three_phase_power.cpp" line="+3"/>
        <source>视在功率：%06.2fkVA<byte value="xd"/>
</source>
        <translation>Apparent power : %06.2fkVA<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/three_phase_power.cpp" line="+1"/>
        <source>有功功率：%06.2fkW<byte value="xd"/>
</source>
        <translation>Active power   : %06.2fkW<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/three_phase_power.cpp" line="+1"/>
        <source>无功功率：%06.2fkVar<byte value="xd"/>
</source>
        <translation>Reactive power : %06.2fkVar<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/three_phase_power.cpp" line="+1"/>
        <location line="+9"/>
        <source>功率因数：%06.2f%%<byte value="xd"/>
</source>
        <translation>Power factor   : %06.2f%%<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/three_phase_power.cpp" line="-8"/>
        <source>电流频率：%06.1fHz<byte value="xd"/>
</source>
        <translation>Current freq.  : %06.1fHz<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/three_phase_power.cpp" line="+1"/>
        <source>电压频率：%06.1fHz<byte value="xd"/>
</source>
        <translation>Voltage freq.  : %06.1fHz<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/three_phase_power.cpp" line="+1"/>
        <source>电流变比：%05d<byte value="xd"/>
</source>
        <translation>CT ratio: %05d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location filename="../src/readers/multi_channel_current.cpp" line="-15"/>
        <source>程序版本：%d<byte value="xd"/>
二次额定：%d<byte value="xd"/>
二次额定：%d<byte value="xd"/>
出厂日期：%02X-%02X<byte value="xd"/>
慢速更新：%d<byte value="xd"/>
快速更新：%d<byte value="xd"/>
信号阈值：%d<byte value="xd"/>
选频系数：%d<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>Firmware version: %d<byte value="xd"/>
Secondary rating: %d<byte value="xd"/>
Secondary rating: %d<byte value="xd"/>
Factory date: %02X-%02X<byte value="xd"/>
Slow update: %d<byte value="xd"/>
Fast update: %d<byte value="xd"/>
Signal threshold: %d<byte value="xd"/>
Frequency select: %d<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>%02d通道  电流：%06.2f； </source>
        <translation>Ch%02d  Current: %06.2f; </translation>
    </message>
    <message>
        <location line="+4"/>
        <source>快速：%06.2f； </source>
        <translation>Fast: %06.2f; </translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+2"/>
        <source>变比：%05d<byte value="xd"/>
</source>
        <translation>Ratio: %05d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location filename="../src/readers/nine_channel.cpp" line="-24"/>
        <location line="+19"/>
        <location line="+1"/>
        <source> 快速值</source>
        <translation> fast</translation>
    </message>
    <message>
        <location line="-18"/>
        <source>%s<byte value="xd"/>
快速值-&gt;</source>
        <translation>%s<byte value="xd"/>
Fast-&gt;</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>因数：%06.4f<byte value="xd"/>
</source>
        <translation>PF: %06.4f<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>功率系数：%05d </source>
        <translation>Power factor coef.: %05d </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电流变比：%05d<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>CT ratio: %05d<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>电压通道</source>
        <translation>Voltage channel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电压通道<byte value="xd"/>
快速值-&gt;</source>
        <translation>Voltage channel<byte value="xd"/>
Fast-&gt;</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>电压变比：%05d</source>
        <translation>VT ratio: %05d</translation>
    </message>
    <message>
        <location filename="../src/readers/reader.cpp" line="+7"/>
        <source>通道一</source>
        <translation>Channel 1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>通道二</source>
        <translation>Channel 2</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>通道三</source>
        <translation>Channel 3</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>通道四</source>
        <translation>Channel 4</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>通道五</source>
        <translation>Channel 5</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>通道六</source>
        <translation>Channel 6</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>通道七</source>
        <translation>Channel 7</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>通道八</source>
        <translation>Channel 8</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>通道九</source>
        <translation>Channel 9</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%02d通道</source>
        <translation>Ch%02d</translation>
    </message>
    <message>
        <location filename="../src/readers/three_phase.cpp" line="-33"/>
        <source>一路</source>
        <translation>Phase 1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>二路</source>
        <translation>Phase 2</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>三路</source>
        <translation>Phase 3</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>一路电流：%.2f<byte value="xd"/>
</source>
        <translation>Phase 1 current: %.2f<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>二路电流：%.2f<byte value="xd"/>
</source>
        <translation>Phase 2 current: %.2f<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>三路电流：%.2f<byte value="xd"/>
</source>
        <translation>Phase 3 current: %.2f<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>一路相电：%.2f<byte value="xd"/>
</source>
        <translation>Phase 1 phase voltage: %.2f<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>二路相电：%.2f<byte value="xd"/>
</source>
        <translation>Phase 2 phase voltage: %.2f<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>三路相电：%.2f<byte value="xd"/>
</source>
        <translation>Phase 3 phase voltage: %.2f<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>一路线电：%.2f<byte value="xd"/>
</source>
        <translation>Phase 1 line voltage: %.2f<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>二路线电：%.2f<byte value="xd"/>
</source>
        <translation>Phase 2 line voltage: %.2f<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>三路线电：%.2f<byte value="xd"/>
</source>
        <translation>Phase 3 line voltage: %.2f<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>一路视在：%d<byte value="xd"/>
</source>
        <translation>Phase 1 apparent: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>二路视在：%d<byte value="xd"/>
</source>
        <translation>Phase 2 apparent: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>三路视在：%d<byte value="xd"/>
</source>
        <translation>Phase 3 apparent: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>一路有功：%d<byte value="xd"/>
</source>
        <translation>Phase 1 active: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>二路有功：%d<byte value="xd"/>
</source>
        <translation>Phase 2 active: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>三路有功：%d<byte value="xd"/>
</source>
        <translation>Phase 3 active: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>一路无功：%d<byte value="xd"/>
</source>
        <translation>Phase 1 reactive: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>二路无功：%d<byte value="xd"/>
</source>
        <translation>Phase 2 reactive: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>三路无功：%d<byte value="xd"/>
</source>
        <translation>Phase 3 reactive: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>功率因数：%.2f%%<byte value="xd"/>
</source>
        <translation>Power factor: %.2f%%<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电流谐波：%.2f<byte value="xd"/>
</source>
        <translation>Current harmonics: %.2f<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电流畸变：%.2f%%<byte value="xd"/>
</source>
        <translation>Current THD: %.2f%%<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电压谐波：%.2f<byte value="xd"/>
</source>
        <translation>Voltage harmonics: %.2f<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电压畸变：%.2f%%<byte value="xd"/>
</source>
        <translation>Voltage THD: %.2f%%<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>电压变比：%d<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>VT ratio: %d<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>设备型号：%d<byte value="xd"/>
程序版本：%d<byte value="xd"/>
出厂日期：%02X-%02X<byte value="xd"/>
电流量程：%d<byte value="xd"/>
电压量程：%d<byte value="xd"/>
</source>
        <translation>Device model: %d<byte value="xd"/>
Firmware version: %d<byte value="xd"/>
Factory date: %02X-%02X<byte value="xd"/>
Current range: %d<byte value="xd"/>
Voltage range: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>三相视在：%d<byte value="xd"/>
</source>
        <translation>Three-phase apparent: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>三相有功：%d<byte value="xd"/>
</source>
        <translation>Three-phase active: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>三相无功：%d<byte value="xd"/>
</source>
        <translation>Three-phase reactive: %d<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>功率因数：%.2f%%<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>Power factor: %.2f%%<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <location filename="../src/readers/three_phase_power.cpp" line="-8"/>
        <source>相电压  ：%06.1fV<byte value="xd"/>
</source>
        <translation>Phase voltage  : %06.1fV<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>线电压  ：%06.1fV<byte value="xd"/>
</source>
        <translation>Line voltage   : %06.1fV<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>总视在  ：%06.2fkVA<byte value="xd"/>
</source>
        <translation>Total apparent : %06.2fkVA<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>总有功  ：%06.2fkW<byte value="xd"/>
</source>
        <translation>Total active   : %06.2fkW<byte value="xd"/>
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>总无功  ：%06.2fkVar<byte value="xd"/>
</source>
        <translation>Total reactive : %06.2fkVar<byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>report</name>
    <message>
        <location filename="../src/report/bus_report.cpp" line="+10"/>
        <source>十六进制显示接收数据：</source>
        <translation>Received data (hex):</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>：</source>
        <translation>: </translation>
    </message>
    <message>
        <location line="+42"/>
        <location line="+53"/>
        <source>型号</source>
        <translation>model</translation>
    </message>
    <message>
        <location line="-53"/>
        <source>版本</source>
        <translation>version</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>量程</source>
        <translation>range</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+49"/>
        <source>日期</source>
        <translation>date</translation>
    </message>
    <message>
        <location line="-29"/>
        <location line="+30"/>
        <source>端口</source>
        <translation>Port</translation>
    </message>
    <message>
        <location line="-29"/>
        <location line="+30"/>
        <location line="+10"/>
        <source>通讯参数</source>
        <translation>Line settings</translation>
    </message>
    <message>
        <location line="-39"/>
        <location line="+30"/>
        <source>模块数</source>
        <translation>Modules</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>站号</source>
        <translation>Station</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+11"/>
        <source>状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <location line="-5"/>
        <location line="+2"/>
        <source>站号 </source>
        <translation>Station </translation>
    </message>
    <message>
        <location line="+0"/>
        <source>，</source>
        <translation>, </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>备注</source>
        <translation>Remarks</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>读取时间</source>
        <translation>Read at</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>读数</source>
        <translation>Reading</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>数值</source>
        <translation>Value</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>单位</source>
        <translation>Unit</translation>
    </message>
    <message>
        <location filename="../src/report/bus_report.h" line="+16"/>
        <source>调试报告</source>
        <translation>Commissioning report</translation>
    </message>
</context>
<context>
    <name>tools</name>
    <message>
        <location filename="../src/tools/finder_run.cpp" line="+15"/>
        <source>已取消。
</source>
        <translation>Cancelled.
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>串口出错，查找中止。
</source>
        <translation>Port error; the search stopped.
</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+14"/>
        <source>站号 </source>
        <translation>Stations </translation>
    </message>
    <message>
        <location line="-14"/>
        <source>，</source>
        <translation>, </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>：已探测 </source>
        <translation>: probed </translation>
    </message>
    <message>
        <location line="+0"/>
        <source> 个，</source>
        <translation>, </translation>
    </message>
    <message>
        <location line="+1"/>
        <source> 个应答。
</source>
        <translation> answered.
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>按第 0 号寄存器判别的型号：</source>
        <translation>Models told by register 0: </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>扫描无法判别的型号：</source>
        <translation>Models the scan cannot tell: </translation>
    </message>
    <message>
        <location line="+9"/>
        <source> 在 32 种通讯参数下均无应答。
</source>
        <translation> answers at none of the 32 line settings.
</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>有设备应答但数据损坏：</source>
        <translation>A device answered with corrupted data: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <location line="+4"/>
        <source>此串口不传送校验位（伪终端）：仅校验位不同的设置应答相同，无法分辨校验位。
</source>
        <translation>This port does not carry parity (a pseudo-terminal): settings that differ only in parity answer alike, so parity cannot be told.
</translation>
    </message>
    <message>
        <location filename="../src/tools/finder_run.h" line="+18"/>
        <source>查找模块（只读，不写入任何模块）</source>
        <translation>Find modules (read only, writes to no module)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>站号扫描（当前通讯参数）</source>
        <translation>Station scan (current line settings)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>通讯参数检测（32 种设置）</source>
        <translation>Line detection (32 settings)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>站号：</source>
        <translation>Stations:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>至</source>
        <translation>to</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>应答余量：</source>
        <translation>Reply margin:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> 毫秒</source>
        <translation> ms</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>扫描站号</source>
        <translation>Scan stations</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>检测通讯参数</source>
        <translation>Detect line</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>串口正被监视或其他操作占用，请稍后再试。
</source>
        <translation>The port is busy with monitoring or another operation; try again later.
</translation>
    </message>
    <message>
        <location filename="../src/tools/traffic_rows.cpp" line="+126"/>
        <source> 帧</source>
        <translation> frames</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>，已暂停：</source>
        <translation>, paused: </translation>
    </message>
    <message>
        <location line="+0"/>
        <source> 帧待显示</source>
        <translation> frames held</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>（较早的 </source>
        <translation> (</translation>
    </message>
    <message>
        <location line="+0"/>
        <source> 帧已移除）</source>
        <translation> older frames removed)</translation>
    </message>
    <message>
        <location filename="../src/tools/traffic_rows.h" line="+16"/>
        <source>通讯监视</source>
        <translation>Traffic monitor</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>暂停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>继续</source>
        <translation>Resume</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>清除</source>
        <translation>Clear</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>保存…</source>
        <translation>Save…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>保存通讯记录</source>
        <translation>Save traffic log</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>文本文件 (*.txt)</source>
        <translation>Text files (*.txt)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CSV 文件 (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>保存失败！</source>
        <translation>Saving failed!</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>相对(秒)</source>
        <translation>Since (s)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>方向</source>
        <translation>Dir</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>线路</source>
        <translation>Line</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>数据(十六进制)</source>
        <translation>Data (hex)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>判定</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <location filename="../src/tools/register_table.h" line="+19"/>
        <source>寄存器表</source>
        <translation>Register table</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>按“读多寄存器”读取后在此显示</source>
        <translation>Shown here after a multiple-register read</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>站号 %d，地址 %u-%u，共 %u 个寄存器</source>
        <translation>Station %d, addresses %u-%u, %u registers</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>地址</source>
        <translation>Address</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>十六进制</source>
        <translation>Hex</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>无符号</source>
        <translation>Unsigned</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>有符号</source>
        <translation>Signed</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>32位整数 ABCD</source>
        <translation>Int32 ABCD</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>32位整数 CDAB</source>
        <translation>Int32 CDAB</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>浮点 ABCD</source>
        <translation>Float ABCD</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>浮点 CDAB</source>
        <translation>Float CDAB</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>确定向站号 %d 的寄存器 %s 写入 %s（原值 %s）？</source>
        <translation>Write to station %d, register %s: %s (was %s)?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>、</source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>win</name>
    <message>
        <location filename="../src/win/bus_view_window.cpp" line="+35"/>
        <source>网页 (*.html)</source>
        <translation>Web pages (*.html)</translation>
    </message>
    <message>
        <location line="+337"/>
        <location filename="../src/win/edit_com_dialog.cpp" line="+40"/>
        <location filename="../src/win/finder_dialog.cpp" line="+319"/>
        <location filename="../src/win/traffic_window.cpp" line="+307"/>
        <location filename="../src/win/win_monitor.cpp" line="+79"/>
        <location filename="../src/win/win_session_view.cpp" line="+16"/>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <location filename="../src/win/tool_menu.cpp" line="+14"/>
        <source>复制(&amp;C)	Ctrl+C</source>
        <translation>&amp;Copy	Ctrl+C</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>全选	Ctrl+A</source>
        <translation>Select &amp;all	Ctrl+A</translation>
    </message>
    <message>
        <location filename="../src/win/win_session_view.cpp" line="+1"/>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
</context>
</TS>
