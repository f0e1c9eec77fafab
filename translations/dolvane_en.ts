<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>busview</name>
    <message>
        <location filename="../src/busview/bus_rows.cpp" line="+24"/>
        <source>无数据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%.1f 秒前</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>（已过期）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>，</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>；</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>正常</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>无应答</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>应答不全</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CRC 错误</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>应答不符</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>异常 0x%02X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>被拒绝</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>串口错误</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/busview/bus_rows.h" line="+15"/>
        <source>总线视图</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>站号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>名称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>型号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>状态</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>数据时间</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>读数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>越限</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>失败/轮询</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/busview/bus_view_core.cpp" line="+228"/>
        <source>站号 %d  %s  %s<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>最后一次轮询：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>最后一次正常读数：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>尚无正常读数。<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>尚未轮询。<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>（未保存）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>  %s  %zu 个模块</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>  %llu 个周期</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>，%.2f 周期/秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>  轮询中</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>站号 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source> 的第 0 号寄存器符合多个型号，请选择：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>以下站号有应答，但无法判别型号，未加入总线：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>、</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/busview/bus_view_core.h" line="+22"/>
        <source>打开…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>保存…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>开始轮询</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>停止轮询</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>周期间隔：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source> 毫秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>记录到CSV文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>总线文件 (*.json)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>打开总线文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>保存总线文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>总线文件中没有模块。请先打开总线文件，或用“查找模块”扫描站号生成。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>串口正被其他操作占用，请稍后再试。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>无法打开总线文件：
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>无法保存总线文件：
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>调试报告…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>调试新模块…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>请先停止轮询，再调试新模块。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>保存调试报告</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>请先停止轮询，再生成调试报告。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>无法写入调试报告：
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>调试报告已写入：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>生成总线…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>选择型号</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>cli</name>
    <message>
        <location filename="../src/cli/cli.cpp" line="+486"/>
        <location filename="../src/cli/terminal_console.cpp" line="+37"/>
        <source>提示: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/cli/commission_command.cpp" line="+95"/>
        <source>插上下一个出厂设置的模块（站号 1，9600 N,8,1）后按回车，它将成为站号 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>；输入 q 结束：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>型号（回车：按第 0 号寄存器判别）：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>名称（回车：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>）：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>输入 r 重试，s 跳过此模块，q 结束：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source> 个模块已调试。
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/cli/terminal_console.cpp" line="+5"/>
        <source>警告: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>继续？(y/N) </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>commissioning</name>
    <message>
        <location filename="../src/commissioning/commission.cpp" line="+56"/>
        <location line="+154"/>
        <source>站号 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-154"/>
        <source>，</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+34"/>
        <location line="+17"/>
        <source>在出厂设置（</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-17"/>
        <source>）下没有模块应答：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+4"/>
        <source>第 0 号寄存器为 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-4"/>
        <source>，没有型号与之相符。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>，无法判别型号（</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source> 都符合）：请指定型号。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+3"/>
        <source>模块不是 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-3"/>
        <source>：第 0 号寄存器为 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+5"/>
        <location line="+16"/>
        <source>。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-18"/>
        <source>，或读取失败：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>）找到模块，型号 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>允许写入失败：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>已允许写入。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>修改通讯参数失败：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>通讯参数已改为 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>模块在新的通讯参数（</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>）下没有正确应答：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>模块在新的通讯参数下读到的型号信息与之前不同。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>在新的通讯参数下读取并核对无误。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>恢复写保护失败：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>已恢复写保护。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+43"/>
        <source>将把出厂设置（</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>）的模块改为</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>：先允许写入，修改通讯参数后恢复写保护。是否继续？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>（</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>）已加入 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>模块 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/commissioning/commission.h" line="+20"/>
        <source>调试新模块</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>插上下一个出厂设置的模块（站号 1，9600 N,8,1），然后按“调试此模块”。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>调试此模块</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>新站号：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>型号：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>名称：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>按第 0 号寄存器判别</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>config</name>
    <message>
        <location filename="../src/config/comm_params.h" line="+19"/>
        <source>非法的新站号！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>非法的参数！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/config/comm_reset.cpp" line="+13"/>
        <source>继续操作将修改所有从站数据，并重置波特率/站号！<byte value="xd"/>
总线上的所有模块都将变为站号 1、9600 N,8,1，约需 15 秒。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>正在尝试复位模块站号/波特率，请耐心等待...<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>正在尝试波特率：%d=%6dBPS。
校验值号：%d=%s。<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source><byte value="xd"/>
正在尝试确认重置结果，请稍后...<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>通讯错误！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>数据错误！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>通过网络串口服务器（TCP）连接时无法进行通信重置：请在服务器上设置串口参数，或直接连接串口。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>串口无法重新打开</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+97"/>
        <source><byte value="xd"/>
十六进制显示接收数据：<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/config/write_protection.cpp" line="+9"/>
        <source>当前站号为0，继续操作将修改所有从站数据！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>该操作将允许模块寄存器的写功能</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>该操作将禁用模块寄存器的写功能</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>discovery</name>
    <message>
        <location filename="../src/discovery/discovery.cpp" line="+13"/>
        <source>通过网络串口服务器（TCP）连接时无法检测串口参数：串口参数在服务器上设置。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>此串口不传送通讯参数：站号 %d 在 32 种通讯参数下的应答完全相同，无法用此方法检测模块的通讯参数。<byte value="xd"/>
虚拟串口、伪终端和串口服务器的通讯参数由另一端决定，模块能应答说明它与另一端的设置一致；要检测模块自身的设置，请用直接连接 RS-485 总线的串口。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>journal</name>
    <message>
        <location filename="../src/journal/journal_records.cpp" line="+199"/>
        <source> 条记录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>，其中 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source> 条未完成（写入结果未记下）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/journal/journal_records.h" line="+12"/>
        <source>写入记录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>站号：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>全部</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>起始日期：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>刷新</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>导出CSV…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>起始日期应为 2026-12-11 或 2026-12-11 08:30 的形式。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>layout</name>
    <message>
        <location filename="../src/layout/form_model.cpp" line="+69"/>
        <location line="+43"/>
        <source>写入地址</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-41"/>
        <source>写入长度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>第 %d 个写入数据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>模块站号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>写入数值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>新站号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/layout/main_window_controls.cpp" line="+22"/>
        <location filename="../src/layout/main_window_texts.cpp" line="+20"/>
        <source>打开串口</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+51"/>
        <source>模块站号:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-49"/>
        <source>写单寄存器</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>通信重置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>读多寄存器(十进制)@开发者模式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>读多寄存器</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>RX/RY/RZ系列数据采集</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>SX/SY系列数据采集</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>交直流系列数据采集</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>写保护设置(仅680以上版本支持)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>允许写操作</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>禁用写操作</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+16"/>
        <source>写入地址:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-13"/>
        <source>写多寄存器</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>写多寄存器(十进制)@开发者模式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>写入长度:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>读取地址:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>读取长度:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>写入数值:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>写单寄存器(十进制)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>VX/VY系列数据采集</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>修改模块通讯参数和站号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>修改通讯参数/站号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>波特率：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>校验位:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/layout/main_window_texts.cpp" line="-13"/>
        <source>感谢使用我司产品！温馨提示：<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>产品技术规格书请通过我司网站获取 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source><byte value="xd"/>
<byte value="xd"/>
技术支持可拨打电话：Dolvane技术值班专机</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>模块站号、波特率等配置请通过软件底部“修改模块通讯参数和站号”功能区自行设置<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>固件版本为680及以上的产品增加寄存器写保护功能，建议使能写保护。<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>使能写操作方法: 写保护设置-&gt;允许写操作。<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>使能写保护方法: 写保护设置-&gt;禁止写操作。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>关闭串口</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/layout/main_window_texts.h" line="+10"/>
        <source>Dolvane采集模块调试工具V2.8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>关于 DolvaneCaiJi(&amp;A)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>通讯监视(&amp;M)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>查找模块(&amp;F)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>总线视图(&amp;B)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>写入记录(&amp;J)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>写入前读取原值(&amp;R)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>link</name>
    <message>
        <location filename="../src/link/link.cpp" line="+58"/>
        <source>设备不存在。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>没有权限：请把当前用户加入 dialout 组（sudo usermod -aG dialout $USER），重新登录后再试。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>串口已被其他程序占用。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>连接被拒绝：请检查端口号，以及服务器是否在运行。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>找不到服务器：请检查地址及网络连接。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>连接超时（3秒）：请检查地址及网络连接。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>设备无法打开，请检查设备及其驱动。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>打开失败！<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/link/link.h" line="+68"/>
        <source>非法的端口号！</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>modbus</name>
    <message>
        <location filename="../src/modbus/config_word.cpp" line="+41"/>
        <source>该操作将修改通讯波特率/校验位/模块站号，设置成功后参数持久化保存，请确认当前设置参数：<byte value="xd"/>
波特率号：%d=%dBPS。<byte value="xd"/>
校验值号：%d=%s。<byte value="xd"/>
模块站号：%d。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/modbus/config_word.h" line="+15"/>
        <source>当前站号0为广播站号，继续操作将修改所有从站数据！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>模块站号允许范围 1-247。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/modbus/exchange.cpp" line="+21"/>
        <source>非法功能</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>非法数据地址</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>非法数据值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>从站设备故障</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>确认</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>从站设备忙</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>否定确认</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>存储奇偶性差错</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>未定义</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-1"/>
        <source>网关路径不可用</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>网关目标设备响应失败</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>异常响应：功能码 0x%02X，异常码 0x%02X（%s）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+38"/>
        <source>站号 %d，%d %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>站号 %d，%s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>；</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>收到 %u / %u 字节</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+53"/>
        <source>无应答（等待 %lld ms）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/modbus/exchange.h" line="+30"/>
        <source>串口未打开!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>非法的站号！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>写串口失败!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>读串口失败!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>通讯错误或设备型号不兼容！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>数据错误</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>不支持的设备型号！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>通讯参数设置成功！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>重置成功！站号：01，波特率：9600，N，8，1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>已广播，广播命令无应答。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>写保护可能已开启：先按“允许写操作”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>未填写。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+45"/>
        <source>十六进制显示发送数据：<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source><byte value="xd"/>
<byte value="xd"/>
十六进制显示接收数据：<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/modbus/frames.cpp" line="+94"/>
        <source>校验错误</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>报文头错误</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>应答事务号 %u，请求的是 %u</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/modbus/register_tools.cpp" line="+10"/>
        <source>十六进制显示发送数据：<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source><byte value="xd"/>
<byte value="xd"/>
十六进制显示接收数据：<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>该操作将设置允许寄存器的写操作</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>该操作将设置禁用寄存器的写操作</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>{[事务标识] %02X %02X} {[协议标识] %02X %02X} {[长度] %02X %02X}<byte value="xd"/>
{[单元标识] %02X}</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>{[模块站号] %02X}</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%s{[校验位] %02X %02X}</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+71"/>
        <source> {[功能码] %02X} {[起始地址] %02X %02X}<byte value="xd"/>
{[读取长度] %02X %02X}</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source> {[功能码] %02X} {[字节长度] %02X}<byte value="xd"/>
<byte value="xd"/>
{[数据内容]<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+50"/>
        <source> {[功能码] %02X} {[起始地址] %02X %02X}<byte value="xd"/>
{[写入长度] %02X %02X}{[字节长度] %02X}<byte value="xd"/>
<byte value="xd"/>
{[数据内容]<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source> {[功能码] %02X} {[起始地址] %02X %02X}<byte value="xd"/>
{[写入长度] %02X %02X}</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/modbus/register_tools.h" line="+35"/>
        <source>非法的起始地址！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>非法的读取长度！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>非法的寄存器地址！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>非法的寄存器数值！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>非法的写入长度！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>写入数据非法，允许范围0-65535!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/modbus/reply_check.cpp" line="+24"/>
        <source>写入确认的%s %d 与写入的 %d 不符</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>应答来自站号 %d，请求的是站号 %d</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>应答功能码 %02X，请求的是 %02X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>应答字节长度 %d，请求的是 %d</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>地址</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>数值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>起始地址</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>长度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/modbus/write_journal.h" line="+69"/>
        <source>写操作日志无法写入，未发送写命令：<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>写操作日志无法记录写入结果：<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>models</name>
    <message>
        <location filename="../src/models/demo_bus.cpp" line="+26"/>
        <source>，</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>模拟总线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+6"/>
        <source>（</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-6"/>
        <location line="+6"/>
        <source>）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-5"/>
        <source>：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/models/model_registry.cpp" line="+24"/>
        <source>Brassel采集</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>monitor</name>
    <message>
        <location filename="../src/monitor/monitor_texts.cpp" line="+8"/>
        <source>正常</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>超时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>短帧</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>校验错</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>应答不符</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>异常</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>型号不符</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>端口错</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>轮询 %llu 次（</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>，</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>），%.1f 次/秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>监视中：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>监视已停止：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>曲线(最多%d项):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/monitor/monitor_texts.h" line="+9"/>
        <source>请先读取一次模块数据，再开始监视。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CSV文件写入失败，已停止记录。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>无法打开CSV文件：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>监视</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>监视趋势</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>时间轴:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>间隔:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+2"/>
        <source>记录到CSV文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-1"/>
        <source>停止监视</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>CSV 文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/monitor/trend_data.cpp" line="+12"/>
        <source>最近 %d 分钟</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>连续</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%d 毫秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+47"/>
        <source>分钟（0 为此刻）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>秒（0 为此刻）</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>operations</name>
    <message>
        <location filename="../src/operations/operations.cpp" line="+30"/>
        <source>串口已关闭！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>串口打开成功！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>串口打开失败！</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>%02d通道-&gt;交直流：%06.2f； </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>直流：%06.2f； </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>交流：%06.2f； </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/multi_channel_current.cpp" line="+10"/>
        <source>频率：%06.1f； </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>变比：%05d<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source> 电流快速值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source> 电压快速值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/nine_channel.cpp" line="+8"/>
        <location line="+21"/>
        <location line="+1"/>
        <source> 慢速值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>电流快速值-&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+5"/>
        <source>交直流：%05d </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-4"/>
        <location line="+5"/>
        <source>直流：%05d </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-4"/>
        <location line="+5"/>
        <source>交流：%05d </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-4"/>
        <location filename="../src/readers/nine_channel.cpp" line="-18"/>
        <location line="+15"/>
        <source>基频：%06.1f<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电压快速值-&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>基频：%06.1f </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>视在功率：%05d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/nine_channel.cpp" line="-14"/>
        <location line="+15"/>
        <source>慢速值-&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/nine_channel.cpp" line="-18"/>
        <location line="+4"/>
        <source>电流：%05d </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/nine_channel.cpp" line="+12"/>
        <location line="+3"/>
        <source>电压：%05d </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/nine_channel.cpp" line="-18"/>
        <location line="+4"/>
        <source>视在：%05d </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/nine_channel.cpp" line="+1"/>
        <source>有功：%05d </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>因数：%06.4f </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/nine_channel.cpp" line="+14"/>
        <source>频率：%06.2f<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/nine_channel.cpp" line="-12"/>
        <source>正向：%010d </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/nine_channel.cpp" line="+1"/>
        <source>反向：%010d </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/nine_channel.cpp" line="+1"/>
        <source>电流系数：%05d </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/nine_channel.cpp" line="+11"/>
        <source>电压系数：%05d </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>功率系数：%05d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电流变比：%05d </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/four_channel_power.cpp" line="+28"/>
        <location filename="../src/readers/three_phase_power.cpp" line="+29"/>
        <source>电压变比：%05d<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/readers/eight_channel.cpp" line="+21"/>
        <source>A路电流：%.2f<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>B路电流：%.2f<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>C路电流：%.2f<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>D路电流：%.2f<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>E路电流：%.2f<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>F路电流：%.2f<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>G路电流：%.2f<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>H路电流：%.2f<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A路谐波：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>B路谐波：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>C路谐波：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>D路谐波：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>E路谐波：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>F路谐波：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>G路谐波：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>H路谐波：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>A路变比：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>B路变比：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>C路变比：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>D路变比：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>E路变比：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>F路变比：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>G路变比：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>H路变比：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>程序版本：%d<byte value="xd"/>
电流量程：%d<byte value="xd"/>
电流量程：%d<byte value="xd"/>
出厂日期：%02X-%02X<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/readers/foreign_meter.cpp" line="+8"/>
        <source>电压：%05d； </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电流：%05d； </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>有功：%05d； </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>无功：%05d； </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>视在：%05d； </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>因数：%05d； </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>频率：%05d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/readers/four_channel.cpp" line="+7"/>
        <source>一</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>二</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>三</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>四</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>程序版本：%d<byte value="xd"/>
电流量程：%d<byte value="xd"/>
电压量程：%d<byte value="xd"/>
出厂日期：%02X-%02X<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>电流系数：%d<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>路</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%s路电流：%.2f<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%s路电压：%.2f<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%s路视在：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%s路有功：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <location filename="../src/readers/three_phase.cpp" line="+49"/>
        <source>电流变比：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电压变比：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <location filename="../src/readers/three_phase_power.cpp" line="+8"/>
        <source>电流    ：%06.2fA<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电压    ：%06.1fV<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/three_phase_power.cpp" line="+3"/>
        <source>视在功率：%06.2fkVA<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/three_phase_power.cpp" line="+1"/>
        <source>有功功率：%06.2fkW<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/three_phase_power.cpp" line="+1"/>
        <source>无功功率：%06.2fkVar<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/three_phase_power.cpp" line="+1"/>
        <location line="+9"/>
        <source>功率因数：%06.2f%%<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/three_phase_power.cpp" line="-8"/>
        <source>电流频率：%06.1fHz<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/three_phase_power.cpp" line="+1"/>
        <source>电压频率：%06.1fHz<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/readers/three_phase_power.cpp" line="+1"/>
        <source>电流变比：%05d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>%02d通道  电流：%06.2f； </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>快速：%06.2f； </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+2"/>
        <source>变比：%05d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/readers/nine_channel.cpp" line="-24"/>
        <location line="+19"/>
        <location line="+1"/>
        <source> 快速值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-18"/>
        <source>%s<byte value="xd"/>
快速值-&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>因数：%06.4f<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>功率系数：%05d </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电流变比：%05d<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>电压通道</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电压通道<byte value="xd"/>
快速值-&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>电压变比：%05d</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/readers/reader.cpp" line="+7"/>
        <source>通道一</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>通道二</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>通道三</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>通道四</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>通道五</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>通道六</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>通道七</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>通道八</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>通道九</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%02d通道</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/readers/three_phase.cpp" line="-33"/>
        <source>一路</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>二路</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>三路</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>一路电流：%.2f<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>二路电流：%.2f<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>三路电流：%.2f<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>一路相电：%.2f<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>二路相电：%.2f<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>三路相电：%.2f<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>一路线电：%.2f<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>二路线电：%.2f<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>三路线电：%.2f<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>一路视在：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>二路视在：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>三路视在：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>一路有功：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>二路有功：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>三路有功：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>一路无功：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>二路无功：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>三路无功：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>功率因数：%.2f%%<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电流谐波：%.2f<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电流畸变：%.2f%%<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电压谐波：%.2f<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电压畸变：%.2f%%<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>电压变比：%d<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>设备型号：%d<byte value="xd"/>
程序版本：%d<byte value="xd"/>
出厂日期：%02X-%02X<byte value="xd"/>
电流量程：%d<byte value="xd"/>
电压量程：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>三相视在：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>三相有功：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>三相无功：%d<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>功率因数：%.2f%%<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/readers/three_phase_power.cpp" line="-8"/>
        <source>相电压  ：%06.1fV<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>线电压  ：%06.1fV<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>总视在  ：%06.2fkVA<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>总有功  ：%06.2fkW<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>总无功  ：%06.2fkVar<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>report</name>
    <message>
        <location filename="../src/report/bus_report.cpp" line="+10"/>
        <source>十六进制显示接收数据：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+31"/>
        <source>：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+42"/>
        <location line="+53"/>
        <source>型号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-53"/>
        <source>版本</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>量程</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+49"/>
        <source>日期</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-29"/>
        <location line="+30"/>
        <source>端口</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-29"/>
        <location line="+30"/>
        <location line="+10"/>
        <source>通讯参数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-39"/>
        <location line="+30"/>
        <source>模块数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>站号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>名称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+11"/>
        <source>状态</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-5"/>
        <location line="+2"/>
        <source>站号 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>，</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>备注</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>读取时间</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>读数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>数值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>单位</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/report/bus_report.h" line="+16"/>
        <source>调试报告</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tools</name>
    <message>
        <location filename="../src/tools/finder_run.cpp" line="+12"/>
        <source>已取消。
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>串口出错，查找中止。
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+14"/>
        <source>站号 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-14"/>
        <source>，</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>：已探测 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source> 个，</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source> 个应答。
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>按第 0 号寄存器判别的型号：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>扫描无法判别的型号：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source> 在 32 种通讯参数下均无应答。
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>有设备应答但数据损坏：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>；</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>此串口不传送校验位（伪终端）：仅校验位不同的设置应答相同，无法分辨校验位。
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/tools/finder_run.h" line="+17"/>
        <source>查找模块（只读，不写入任何模块）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>站号扫描（当前通讯参数）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>通讯参数检测（32 种设置）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>站号：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>至</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>应答余量：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source> 毫秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>扫描站号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>检测通讯参数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>关闭</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>串口正被监视或其他操作占用，请稍后再试。
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/tools/traffic_rows.cpp" line="+126"/>
        <source> 帧</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>，已暂停：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source> 帧待显示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>（较早的 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source> 帧已移除）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/tools/traffic_rows.h" line="+16"/>
        <source>通讯监视</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>暂停</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>继续</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>清除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>复制</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>保存…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>保存通讯记录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>文本文件 (*.txt)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CSV 文件 (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>保存失败！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>时间</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>相对(秒)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>方向</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>线路</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>数据(十六进制)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>判定</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>win</name>
    <message>
        <location filename="../src/win/bus_view_window.cpp" line="+35"/>
        <source>网页 (*.html)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
