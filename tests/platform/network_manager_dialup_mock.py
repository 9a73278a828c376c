'''A network manager for the dial-up backend's tests, loaded as a python-dbusmock template.

It extends the stock networkmanager template with what dial-up needs and the stock one lacks: a modem, an
Ethernet and a Bluetooth device; a tethered phone (an Ethernet device the service guesses metered) and a
Wi-Fi device, each device with its metering; gsm, cdma, pppoe and Bluetooth profiles among others; an agent manager
that remembers who registered; activations that run through the device states like the real service,
using a password the system keeps or asking the registered secret agent for one on the way, giving the
device its IP interface once activated and ending in the outcome the test chose; and profile writes that
are told apart by whether they would reach the disk (Update, Update2 without an in-memory flag, Save) or
stay in the service's memory (UpdateUnsaved), each one logged. Active connections come and go with the
object manager's InterfacesAdded / InterfacesRemoved, as the real service announces its objects. For the
tests of a slow or restarting service: the property and settings reads are counted, the service can stop
answering for a while (Freeze) and can leave the bus and come back (Restart).
Reset() on /org/freedesktop brings all of it back to the state below.
'''

import time
import uuid

import dbus
import dbus.service
import dbusmock
from dbusmock import MOCK_IFACE
from gi.repository import GLib

# The stock template: its names, its mock methods (AddEthernetDevice, SetProperty, ...) and its load().
from dbusmock.templates.networkmanager import *  # noqa: F401,F403 pylint: disable=wildcard-import
from dbusmock.templates import networkmanager as stock

# What clients read over the bus (not the mock's own look-ups): counted across all objects, so a test can
# tell whether the backend asked the service anything or followed its signals alone.
READS = ('Get', 'GetAll', 'GetManagedObjects', 'GetSettings', 'ListConnections', 'GetDevices')
if not getattr(dbusmock.mockobject.DBusMockObject, 'counts_reads', False):
    _plain_dispatch = dbusmock.mockobject.DBusMockObject._message_cb  # pylint: disable=protected-access

    def _counting_dispatch(self, connection, message):
        if message.get_member() in READS:
            dbusmock.mockobject.DBusMockObject.reads += 1
        _plain_dispatch(self, connection, message)

    dbusmock.mockobject.DBusMockObject._message_cb = _counting_dispatch  # pylint: disable=protected-access
    dbusmock.mockobject.DBusMockObject.counts_reads = True
    dbusmock.mockobject.DBusMockObject.reads = 0

AGENT_MANAGER_OBJ = '/org/freedesktop/NetworkManager/AgentManager'
AGENT_MANAGER_IFACE = 'org.freedesktop.NetworkManager.AgentManager'
SECRET_AGENT_OBJ = '/org/freedesktop/NetworkManager/SecretAgent'
SECRET_AGENT_IFACE = 'org.freedesktop.NetworkManager.SecretAgent'
DEVICES = '/org/freedesktop/NetworkManager/Devices/'

TYPE_ETHERNET, TYPE_WIFI, TYPE_BT, TYPE_MODEM = 1, 2, 5, 8
METERED_UNKNOWN, METERED_YES, METERED_NO, METERED_GUESS_YES, METERED_GUESS_NO = 0, 1, 2, 3, 4
ACTIVATING, ACTIVATED, DEACTIVATED = 1, 2, 4
REASON_NONE, REASON_NO_SECRETS, REASON_USER_REQUESTED = 0, 7, 39
SECRETS_FLAG_ALLOW_INTERACTION = 0x1
UPDATE2_TO_DISK, UPDATE2_IN_MEMORY, UPDATE2_IN_MEMORY_DETACHED, UPDATE2_IN_MEMORY_ONLY = 0x1, 0x2, 0x4, 0x8


def _profile(conn_type, name, extra, metered=None):
    settings = {'connection': {'id': name, 'type': conn_type, 'uuid': str(uuid.uuid4()),
                               'autoconnect': False}}
    if metered is not None:
        settings['connection']['metered'] = dbus.Int32(metered)
    settings.update(extra)
    return settings


# In the order the service lists them; the dial-up ones are gsm, pppoe, Bluetooth DUN and cdma.
PROFILES = [
    ('wired', _profile('802-3-ethernet', 'Wired connection 1', {'802-3-ethernet': {'mtu': dbus.UInt32(0)}})),
    ('gsm', _profile('gsm', 'Mobile Provider', {
        'gsm': {'apn': 'internet', 'number': '*99#', 'username': 'olduser'},
        # a list-valued setting, so that writing the profile back must keep container types intact
        'ipv4': {'method': 'auto', 'dns': dbus.Array([dbus.UInt32(0x08080808)], signature='u')},
    })),
    ('pppoe', _profile('pppoe', 'Home DSL', {'pppoe': {'username': 'dsluser'}, '802-3-ethernet': {}})),
    ('dun', _profile('bluetooth', 'Phone over Bluetooth', {
        'bluetooth': {'type': 'dun', 'bdaddr': dbus.ByteArray(b'\x00\x11\x22\x33\x44\x55')},
        'gsm': {'apn': 'internet', 'number': '*99#'},
    })),
    ('panu', _profile('bluetooth', 'Headset network', {
        'bluetooth': {'type': 'panu', 'bdaddr': dbus.ByteArray(b'\x00\x11\x22\x33\x44\x66')},
    })),
    # a hotspot the user marked metered
    ('wifi', _profile('802-11-wireless', 'Cafe', {'802-11-wireless': {'ssid': dbus.ByteArray(b'Cafe')}},
                      metered=METERED_YES)),
    ('cdma', _profile('cdma', 'CDMA Carrier', {'cdma': {'number': '#777', 'username': 'cdmauser',
                                                        'password-flags': dbus.UInt32(0)}})),
    # a phone's USB tethering: an Ethernet profile like any other, metered only by its device's guess
    ('tether', _profile('802-3-ethernet', 'Phone tether', {'802-3-ethernet': {}})),
]

# Passwords the system keeps (flags 0), apart from the settings: GetSettings never gives them out.
KEPT_SECRETS = {'cdma': {'cdma': {'password': 'kept-by-system'}}}


class AgentManager(dbusmock.mockobject.DBusMockObject):  # pylint: disable=too-many-ancestors
    '''Keeps the bus name of each registered secret agent, as the real service does.'''

    @dbus.service.method(AGENT_MANAGER_IFACE, in_signature='s', out_signature='', sender_keyword='sender')
    def Register(self, identifier, sender=None):
        self.agents[sender] = identifier

    @dbus.service.method(AGENT_MANAGER_IFACE, in_signature='su', out_signature='', sender_keyword='sender')
    def RegisterWithCapabilities(self, identifier, _capabilities, sender=None):
        self.agents[sender] = identifier

    @dbus.service.method(AGENT_MANAGER_IFACE, in_signature='', out_signature='', sender_keyword='sender')
    def Unregister(self, sender=None):
        self.agents.pop(sender, None)


def _set_device_state(device, state, reason):
    old = device.Get(DEVICE_IFACE, 'State')
    device.Set(DEVICE_IFACE, 'State', dbus.UInt32(state))
    device.Set(DEVICE_IFACE, 'StateReason', (dbus.UInt32(state), dbus.UInt32(reason)))
    device.EmitSignal(DEVICE_IFACE, 'StateChanged', 'uuu', [dbus.UInt32(state), old, dbus.UInt32(reason)])


def _set_active_state(active, state, reason):
    active.Set(ACTIVE_CONNECTION_IFACE, 'State', dbus.UInt32(state))
    active.EmitSignal(ACTIVE_CONNECTION_IFACE, 'StateChanged', 'uu', [dbus.UInt32(state), dbus.UInt32(reason)])


def _active_paths():
    return dbusmock.get_object(MANAGER_OBJ).Get(MANAGER_IFACE, 'ActiveConnections')


def _end_activation(manager, active_path, device_state, reason):
    '''The device reaches `device_state` and then rests; the active connection goes away.'''
    if active_path not in _active_paths():
        return
    active = dbusmock.get_object(active_path)
    for device_path in active.Get(ACTIVE_CONNECTION_IFACE, 'Devices'):
        device = dbusmock.get_object(device_path)
        _set_device_state(device, device_state, reason)
        _set_device_state(device, stock.DeviceState.DISCONNECTED, reason)
        device.Set(DEVICE_IFACE, 'ActiveConnection', dbus.ObjectPath('/'))
        device.Set(DEVICE_IFACE, 'IpInterface', '')
    _set_active_state(active, DEACTIVATED, 0)
    paths = _active_paths()
    paths.remove(dbus.ObjectPath(active_path))
    manager.SetProperty(MANAGER_OBJ, MANAGER_IFACE, 'ActiveConnections', dbus.Array(paths, signature='o'))
    manager.object_manager_emit_removed(active_path)
    manager.RemoveObject(active_path)


def _secret_setting(settings):
    for name in ('gsm', 'cdma', 'pppoe'):
        if name in settings:
            return name
    return None


def _ask_agent(manager, profile_path, setting, flags, on_reply, on_error):
    '''Asks the agent registered last for the secrets of a profile's setting, without waiting.'''
    agents = dbusmock.get_object(AGENT_MANAGER_OBJ).agents
    agent = manager.connection.get_object(list(agents)[-1], SECRET_AGENT_OBJ, introspect=False)
    agent.GetSecrets(dbusmock.get_object(profile_path).settings, dbus.ObjectPath(profile_path), setting,
                     dbus.Array([], signature='s'), dbus.UInt32(flags),
                     dbus_interface=SECRET_AGENT_IFACE, signature='a{sa{sv}}osasu',
                     reply_handler=on_reply, error_handler=on_error)


def _run_activation(manager, active_path, device_path, profile):
    '''The states after ActivateConnection has answered: prepare, need-auth, config, then the outcome.'''
    device = dbusmock.get_object(device_path)
    outcome, hold = manager.dial_outcome, manager.dial_hold

    def finish():
        if active_path not in _active_paths():
            return
        _set_device_state(device, stock.DeviceState.CONFIG, 0)
        if outcome:
            _end_activation(manager, active_path, stock.DeviceState.FAILED, outcome)
            return
        _set_device_state(device, stock.DeviceState.IP_CONFIG, 0)
        device.Set(DEVICE_IFACE, 'IpInterface', manager.ip_interfaces.get(device.Get(DEVICE_IFACE, 'Interface'), ''))
        _set_device_state(device, stock.DeviceState.ACTIVATED, 0)
        _set_active_state(dbusmock.get_object(active_path), ACTIVATED, 0)

    def got_secrets(secrets):
        for setting, values in secrets.items():
            for key, value in values.items():
                manager.agent_answers.append(f'{setting}.{key}={value}')
        finish()

    def no_secrets(error):
        manager.agent_answers.append('error:' + error.get_dbus_name())
        _end_activation(manager, active_path, stock.DeviceState.FAILED, REASON_NO_SECRETS)

    def ask_agent():
        if active_path not in _active_paths():
            return False
        _set_device_state(device, stock.DeviceState.NEED_AUTH, 0)
        setting = _secret_setting(profile.settings)
        kept = profile.kept_secrets.get(setting, {}).get('password') if setting else None
        if kept is not None and int(profile.settings[setting].get('password-flags', 0)) == 0:
            manager.agent_answers.append(f'kept:{setting}.password={kept}')
            finish()
            return False
        if not dbusmock.get_object(AGENT_MANAGER_OBJ).agents or setting is None:
            finish()
            return False
        _ask_agent(manager, profile.connection_path, setting, SECRETS_FLAG_ALLOW_INTERACTION, got_secrets, no_secrets)
        return False

    def prepare():
        if active_path not in _active_paths():
            return False
        _set_device_state(device, stock.DeviceState.PREPARE, 0)
        if not hold:
            GLib.idle_add(ask_agent)
        return False

    GLib.idle_add(prepare)


def _activate(manager, profile_path, device_path, _specific_object):
    profile_path, device_path = str(profile_path), str(device_path)
    if profile_path not in dbusmock.get_objects():
        raise dbus.exceptions.DBusException(f'no profile {profile_path}', name=MANAGER_IFACE + '.UnknownConnection')
    if device_path == '/':
        device_path = next((path for path in manager.GetDevices()
                            if profile_path in dbusmock.get_object(path).Get(DEVICE_IFACE, 'AvailableConnections')),
                           None)
    if device_path is None or device_path not in dbusmock.get_objects():
        raise dbus.exceptions.DBusException('No suitable device found', name=MANAGER_IFACE + '.UnknownDevice')
    profile = dbusmock.get_object(profile_path)
    active_path = f'/org/freedesktop/NetworkManager/ActiveConnection/{manager.next_active}'
    manager.next_active += 1
    connection = profile.settings['connection']
    manager.AddObject(active_path, ACTIVE_CONNECTION_IFACE, {
        'Connection': dbus.ObjectPath(profile_path),
        'Devices': dbus.Array([dbus.ObjectPath(device_path)], signature='o'),
        'Id': connection['id'],
        'Type': connection['type'],
        'Uuid': connection['uuid'],
        'State': dbus.UInt32(ACTIVATING),
        'SpecificObject': dbus.ObjectPath('/'),
        'Vpn': False,
        'Default': False,
        'Default6': False,
        'Master': dbus.ObjectPath('/'),
    }, [])
    # Announced with all its properties before it is listed, as the real service does.
    manager.object_manager_emit_added(active_path)
    dbusmock.get_object(device_path).Set(DEVICE_IFACE, 'ActiveConnection', dbus.ObjectPath(active_path))
    paths = _active_paths()
    paths.append(dbus.ObjectPath(active_path))
    manager.SetProperty(MANAGER_OBJ, MANAGER_IFACE, 'ActiveConnections', dbus.Array(paths, signature='o'))
    _run_activation(manager, active_path, device_path, profile)
    return dbus.ObjectPath(active_path)


def _deactivate(manager, active_path):
    if str(active_path) not in [str(path) for path in _active_paths()]:
        raise dbus.exceptions.DBusException('Not active', name=MANAGER_IFACE + '.ConnectionNotActive')
    _end_activation(manager, str(active_path), stock.DeviceState.DEACTIVATING, REASON_USER_REQUESTED)


def _write_settings(profile, settings, where):
    '''Replaces the whole profile, as the real service does: a caller that sends back only part of it loses
    the rest; secrets it does not send are kept. Logs "disk NAME" or "memory NAME", and "password NAME" when
    a password came with it.'''
    manager = dbusmock.get_object(MANAGER_OBJ)
    name = profile.settings['connection']['id']
    if not profile.writable:
        raise dbus.exceptions.DBusException('not allowed to modify this connection',
                                            name='org.freedesktop.NetworkManager.Settings.PermissionDenied')
    manager.settings_writes.append(f'{where} {name}')
    settings = {key: dict(value) for key, value in settings.items()}
    for setting in settings.values():
        if 'password' in setting:
            manager.settings_writes.append(f'password {name}')
            setting.pop('password')
    profile.settings = settings
    profile.EmitSignal(CSETTINGS_IFACE, 'Updated', '', [])


def _update(profile, settings):
    _write_settings(profile, settings, 'disk')


def _update_unsaved(profile, settings):
    _write_settings(profile, settings, 'memory')


def _update2(profile, settings, flags, _args):
    in_memory = int(flags) & (UPDATE2_IN_MEMORY | UPDATE2_IN_MEMORY_DETACHED | UPDATE2_IN_MEMORY_ONLY)
    _write_settings(profile, settings, 'disk' if int(flags) & UPDATE2_TO_DISK or not in_memory else 'memory')
    return dbus.Dictionary({}, signature='sv')


def _save(profile):
    dbusmock.get_object(MANAGER_OBJ).settings_writes.append(f'disk {profile.settings["connection"]["id"]}')


def _add_device(mock, name, device_type, available, metered=METERED_UNKNOWN):
    path = DEVICES + name
    mock.AddObject(path, DEVICE_IFACE, {
        'DeviceType': dbus.UInt32(device_type),
        'State': dbus.UInt32(stock.DeviceState.DISCONNECTED),
        'StateReason': (dbus.UInt32(stock.DeviceState.DISCONNECTED), dbus.UInt32(0)),
        'Interface': name,
        'IpInterface': '',
        'ActiveConnection': dbus.ObjectPath('/'),
        'AvailableConnections': dbus.Array([dbus.ObjectPath(p) for p in available], signature='o'),
        'Managed': True,
        'Driver': 'dbusmock',
        'Metered': dbus.UInt32(metered),
    }, [])
    manager = dbusmock.get_object(MANAGER_OBJ)
    devices = manager.Get(MANAGER_IFACE, 'Devices')
    devices.append(dbus.ObjectPath(path))
    manager.Set(MANAGER_IFACE, 'Devices', devices)


def load(mock, parameters):
    stock.load(mock, parameters)
    manager = dbusmock.get_object(MANAGER_OBJ)
    dbusmock.mockobject.DBusMockObject.reads = 0
    manager.dial_outcome = 0
    manager.dial_hold = False
    manager.agent_answers = []
    manager.settings_writes = []
    manager.ip_interfaces = {'modem0': 'ppp0', 'eth0': 'ppp1', 'bt0': 'ppp2', 'usb0': 'usb0', 'wlan0': 'wlan0'}
    manager.next_active = 1
    manager.AddMethod(MANAGER_IFACE, 'ActivateConnection', 'ooo', 'o', _activate)
    manager.AddMethod(MANAGER_IFACE, 'DeactivateConnection', 'o', '', _deactivate)

    agent_manager = AgentManager(mock.bus_name, AGENT_MANAGER_OBJ, AGENT_MANAGER_IFACE, {})
    agent_manager.agents = {}
    dbusmock.mockobject.objects[AGENT_MANAGER_OBJ] = agent_manager

    paths = {key: str(mock.SettingsAddConnection(settings)) for key, settings in PROFILES}
    for key, path in paths.items():
        profile = dbusmock.get_object(path)
        profile.writable = True
        profile.kept_secrets = KEPT_SECRETS.get(key, {})
        profile.AddMethod(CSETTINGS_IFACE, 'Update', 'a{sa{sv}}', '', _update)
        profile.AddMethod(CSETTINGS_IFACE, 'UpdateUnsaved', 'a{sa{sv}}', '', _update_unsaved)
        profile.AddMethod(CSETTINGS_IFACE, 'Update2', 'a{sa{sv}}ua{sv}', 'a{sv}', _update2)
        profile.AddMethod(CSETTINGS_IFACE, 'Save', '', '', _save)
    _add_device(mock, 'modem0', TYPE_MODEM, [paths['gsm'], paths['cdma']])
    _add_device(mock, 'eth0', TYPE_ETHERNET, [paths['wired'], paths['pppoe']])
    _add_device(mock, 'bt0', TYPE_BT, [paths['dun'], paths['panu']])
    _add_device(mock, 'usb0', TYPE_ETHERNET, [paths['tether']], METERED_GUESS_YES)
    _add_device(mock, 'wlan0', TYPE_WIFI, [paths['wifi']])

    # The wired line is up all along and is no dial-up connection.
    wired = dbusmock.get_object(paths['wired']).settings['connection']
    mock.AddObject('/org/freedesktop/NetworkManager/ActiveConnection/0', ACTIVE_CONNECTION_IFACE, {
        'Connection': dbus.ObjectPath(paths['wired']),
        'Devices': dbus.Array([dbus.ObjectPath(DEVICES + 'eth0')], signature='o'),
        'Id': wired['id'],
        'Type': wired['type'],
        'Uuid': wired['uuid'],
        'State': dbus.UInt32(ACTIVATED),
    }, [])
    manager.Set(MANAGER_IFACE, 'ActiveConnections',
                dbus.Array([dbus.ObjectPath('/org/freedesktop/NetworkManager/ActiveConnection/0')], signature='o'))


@dbus.service.method(MOCK_IFACE, in_signature='ub', out_signature='')
def SetDialOutcome(_self, reason, hold):
    '''How the coming activations end: 0 activates, anything else fails the device with that reason.
    With `hold` they stay in the prepare state until deactivated.'''
    manager = dbusmock.get_object(MANAGER_OBJ)
    manager.dial_outcome = int(reason)
    manager.dial_hold = bool(hold)


@dbus.service.method(MOCK_IFACE, in_signature='', out_signature='as')
def GetAgentAnswers(_self):
    '''What the secret agents answered, as "setting.key=value" lines or "error:<name>".'''
    return dbus.Array(dbusmock.get_object(MANAGER_OBJ).agent_answers, signature='s')


@dbus.service.method(MOCK_IFACE, in_signature='osu', out_signature='s', async_callbacks=('reply', 'error'))
def AskAgent(_self, profile_path, setting, flags, reply, error):
    '''Asks the registered agent for a profile's secrets as the service would, with the given request
    flags; answers "setting.key=value" lines or "error:<name>".'''
    if not dbusmock.get_object(AGENT_MANAGER_OBJ).agents:
        error(dbus.exceptions.DBusException('no agent registered', name=MOCK_IFACE + '.NoAgent'))
        return
    _ask_agent(dbusmock.get_object(MANAGER_OBJ), str(profile_path), str(setting), int(flags),
               lambda secrets: reply('\n'.join(f'{name}.{key}={value}' for name, values in secrets.items()
                                               for key, value in values.items())),
               lambda failure: reply('error:' + failure.get_dbus_name()))


@dbus.service.method(MOCK_IFACE, in_signature='', out_signature='as')
def GetSettingsWrites(_self):
    '''Every profile write: "disk NAME", "memory NAME", and "password NAME" when one came with it.'''
    return dbus.Array(dbusmock.get_object(MANAGER_OBJ).settings_writes, signature='s')


@dbus.service.method(MOCK_IFACE, in_signature='ob', out_signature='')
def SetProfileWritable(_self, profile_path, writable):
    '''A profile the caller may not change refuses every write.'''
    dbusmock.get_object(str(profile_path)).writable = bool(writable)


@dbus.service.method(MOCK_IFACE, in_signature='ss', out_signature='')
def SetIpInterface(_self, device, ip_interface):
    '''The IP interface a device (by its name: modem0, eth0, bt0) gets when it is activated.'''
    dbusmock.get_object(MANAGER_OBJ).ip_interfaces[str(device)] = str(ip_interface)


@dbus.service.method(MOCK_IFACE, in_signature='su', out_signature='')
def SetDeviceMetered(_self, device, metered):
    '''Changes a device's (by its name: usb0, eth0, ...) metering, as the service does when DHCP or the user
    tells it more; signalled like any property change.'''
    dbusmock.get_object(DEVICES + str(device)).Set(DEVICE_IFACE, 'Metered', dbus.UInt32(metered))


@dbus.service.method(MOCK_IFACE, in_signature='sui', out_signature='')
def SetLinkState(_self, device, device_state, active_state):
    '''Moves a device (by its name) that works on an activation to `device_state`, and its active connection
    to `active_state` (none: -1), signalled as the service does; an activated device gets its IP interface.'''
    obj = dbusmock.get_object(DEVICES + str(device))
    _set_device_state(obj, int(device_state), 0)
    if int(device_state) == stock.DeviceState.ACTIVATED:
        obj.Set(DEVICE_IFACE, 'IpInterface', dbusmock.get_object(MANAGER_OBJ).ip_interfaces.get(str(device), ''))
    active = str(obj.Get(DEVICE_IFACE, 'ActiveConnection'))
    if int(active_state) >= 0 and active != '/':
        _set_active_state(dbusmock.get_object(active), int(active_state), 0)


@dbus.service.method(MOCK_IFACE, in_signature='', out_signature='u')
def CountReads(_self):
    '''How many property, settings and list reads anyone made since the last Reset().'''
    return dbus.UInt32(dbusmock.mockobject.DBusMockObject.reads)


@dbus.service.method(MOCK_IFACE, in_signature='u', out_signature='', async_callbacks=('reply', 'error'))
def Freeze(self, milliseconds, reply, error):  # pylint: disable=unused-argument
    '''Answers, then neither answers nor signals anything for `milliseconds`: a service that hangs.'''
    reply()
    self.connection.flush()
    time.sleep(int(milliseconds) / 1000)


@dbus.service.method(MOCK_IFACE, in_signature='u', out_signature='')
def Restart(self, milliseconds):
    '''Leaves the bus and takes its name back after `milliseconds`, having forgotten every connection but the
    wired line without a word: a service that restarted while a link went down.'''
    manager = dbusmock.get_object(MANAGER_OBJ)
    wired = dbus.ObjectPath('/org/freedesktop/NetworkManager/ActiveConnection/0')
    for path in [str(p) for p in _active_paths() if p != wired]:
        for device_path in dbusmock.get_object(path).Get(ACTIVE_CONNECTION_IFACE, 'Devices'):
            props = dbusmock.get_object(device_path).props[DEVICE_IFACE]
            props['State'] = dbus.UInt32(stock.DeviceState.DISCONNECTED)
            props['ActiveConnection'] = dbus.ObjectPath('/')
            props['IpInterface'] = ''
        manager.RemoveObject(path)
    manager.props[MANAGER_IFACE]['ActiveConnections'] = dbus.Array([wired], signature='o')

    def come_back():
        self.connection.request_name(BUS_NAME)
        return False

    def leave():
        self.connection.release_name(BUS_NAME)
        GLib.timeout_add(int(milliseconds), come_back)
        return False

    GLib.idle_add(leave)  # once this call is answered
