-- Run by ardour.sh in ardour7-lua: a new session whose stereo track plays Ardour's own noise generator at
-- -6 dBFS into the plug-in, inserted by URI, with Thresh -40 dB, Ratio ∞ and Wet/Dry from QM07_DRY (% dry).
AudioEngine:set_backend("None (Dummy)", "", "")
AudioEngine:start(false)
local session = create_session(os.getenv("QM07_SESSION"), "qm07", 48000)
local track = session:new_audio_track(2, 2, nil, 1, "t", ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal,
                                      true):front()
local noise = ARDOUR.LuaAPI.new_luaproc(session, "ACE Noise")
assert(not noise:isnil() and track:add_processor_by_index(noise, 0, nil, true) == 0, "no noise generator")
ARDOUR.LuaAPI.set_processor_param(noise, 0, -6)
local processor = ARDOUR.LuaAPI.new_plugin(session, "urn:tarvel:qm07-compressor", ARDOUR.PluginType.LV2, "")
assert(not processor:isnil(), "Ardour does not find the plug-in")
assert(track:add_processor_by_index(processor, 1, nil, true) == 0, "Ardour does not insert the plug-in")
local plugin = processor:to_insert():plugin(0)
local inputs = {}
for i = 0, plugin:parameter_count() - 1 do
  if plugin:parameter_is_control(i) and plugin:parameter_is_input(i) then
    inputs[#inputs + 1] = plugin:parameter_label(i)
  end
end
print("name=" .. plugin:name() .. " inputs=" .. #inputs .. " labels=" .. table.concat(inputs, ","))
ARDOUR.LuaAPI.set_processor_param(processor, 0, -40)
ARDOUR.LuaAPI.set_processor_param(processor, 1, 100)
ARDOUR.LuaAPI.set_processor_param(processor, 9, tonumber(os.getenv("QM07_DRY")))
print("thresh=" .. tostring(ARDOUR.LuaAPI.get_processor_param(processor, 0, true)))
session:save_state("", false, false, false, false, false)
close_session()
